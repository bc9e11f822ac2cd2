#include "image.h"

#include "runtime/formwidget.h"
#include "runtime/units.h"

#include <QPainter>

namespace rt {

QImage pictureImage(const PictureData& data)
{
    QImage image(data.pixels.data(), data.width, data.height, data.width, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(data.colours.begin(), data.colours.end()));
    return image;
}

ImageWidget::ImageWidget(const Picture& picture, bool stretch, QWidget* parent)
    : QWidget(parent),
      m_picture(picture),
      m_stretch(stretch)
{
    // The widget ignores the mouse; the press stops here all the same.
    setAttribute(Qt::WA_NoMousePropagation);
}

// Each picture becomes a pixmap when it is first painted, and only at the density it is shown
// at.
const QPixmap& ImageWidget::pixmap(bool dense)
{
    if (dense) {
        if (m_double.isNull()) {
            m_double = QPixmap::fromImage(pictureImage(m_picture.dense));
            m_double.setDevicePixelRatio(2.0);
        }
        return m_double;
    }
    if (m_normal.isNull())
        m_normal = QPixmap::fromImage(pictureImage(m_picture.normal));
    return m_normal;
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // At 1x and 2x each pixel of the picture is a pixel of the screen; at any other scale
    // (1.25x, 1.5x, ...) the picture is resampled, and smoothly, or thin lines would break up.
    const qreal scale = devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretch || (scale != 1 && scale != 2));
    const QPixmap& shown = pixmap(scale > 1.0);
    if (m_stretch)
        painter.drawPixmap(rect(), shown);
    else
        painter.drawPixmap(QPoint(0, 0), shown);
}

void Image::build(const Row& row, FormWidget& form)
{
    auto* image = new ImageWidget(*row.picture, row.stretch, &form);
    m_left = float(row.at.left);
    m_top = float(row.at.top);
    image->setGeometry(twipsRect(row.at));
    bind(image, row.name, row.description, row.visible);
}

void Image::setLeft(float twips)
{
    m_left = twips;
    place();
}

void Image::setTop(float twips)
{
    m_top = twips;
    place();
}

void Image::place()
{
    widget()->move(twipsToPixels(m_left), twipsToPixels(m_top));
}

} // namespace rt
