#include "label.h"

#include "runtime/font.h"
#include "runtime/formwidget.h"
#include "runtime/units.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace rt {
namespace {

std::vector<std::span<const PrerenderedText>> g_prerendered;

QImage prerenderedImage(const PrerenderedText& text)
{
    QImage image(text.width, text.height, QImage::Format_RGB32);
    image.setDevicePixelRatio(text.ratio);
    QRgb* pixel = reinterpret_cast<QRgb*>(image.bits());
    QRgb* const end = pixel + qsizetype(text.width) * text.height;
    for (size_t i = 0; i + 1 < text.runs.size(); i += 2) {
        const std::uint32_t length = text.runs[i];
        if (length > std::uint32_t(end - pixel))
            return {}; // drawn for another size
        pixel = std::fill_n(pixel, length, QRgb(0xff000000 | text.runs[i + 1]));
    }
    return pixel == end ? image : QImage();
}

} // namespace

// Paints the label's drawing made ahead of time instead of its text, on a screen of the ratio
// it was made for.
class Label::PrerenderedPaint : public QObject
{
public:
    PrerenderedPaint(const PrerenderedText& text, QLabel* label)
        : QObject(label),
          m_text(text)
    {
        label->installEventFilter(this);
    }

    // The drawing's pixels, made once; null if they do not fill its size.
    const QImage& image()
    {
        if (m_image.isNull())
            m_image = prerenderedImage(m_text);
        return m_image;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* label = static_cast<QLabel*>(watched);
        if (event->type() != QEvent::Paint || label->devicePixelRatioF() != m_text.ratio ||
            image().isNull())
            return false;
        QPainter(label).drawImage(QPoint(0, 0), m_image);
        return true;
    }

private:
    const PrerenderedText& m_text;
    QImage m_image;
};

void Label::usePrerendered(std::vector<std::span<const PrerenderedText>> texts)
{
    g_prerendered = std::move(texts);
}

void Label::build(const Row& row, FormWidget& form)
{
    m_label = new QLabel(QString::fromUtf8(row.text), &form);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_font = row.font;
    const QRect place = twipsRect(row.left, row.top, row.width, row.height);
    // A drawing made ahead of time for this label, its text, its size and this screen.
    const double ratio = form.devicePixelRatioF();
    const QSize pixels = place.size() * ratio;
    const PrerenderedText* drawn = nullptr;
    for (const std::span<const PrerenderedText> texts : g_prerendered)
        for (const PrerenderedText& text : texts)
            if (std::strcmp(text.control, row.name) == 0 && std::strcmp(text.text, row.text) == 0 &&
                text.ratio == ratio && QSize(text.width, text.height) == pixels)
                drawn = &text;
    if (drawn) {
        // Its family, taken on trust until the first frame is out: asking the font database
        // which one this machine has builds it, which takes longer than the rest of the frame.
        m_label->setFont(designFont(row.font, QString::fromUtf8(drawn->family)));
        m_prerendered = new PrerenderedPaint(*drawn, m_label);
        QObject::connect(
            &form, &FormWidget::firstFrameShown, m_label, [this] { checkPrerendered(); },
            Qt::SingleShotConnection);
    } else {
        m_label->setFont(designFont(row.font));
    }
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, resolve(row.foreColor, SystemColor::ButtonText));
    palette.setColor(QPalette::Window, resolve(row.backColor, SystemColor::ButtonFace));
    m_label->setPalette(palette);
    m_label->setAutoFillBackground(row.backStyle == BackStyle::Opaque);
    // A label ignores the mouse; the press stops here all the same.
    m_label->setAttribute(Qt::WA_NoMousePropagation);
    m_label->setGeometry(place);
    bind(m_label, row.name, row.description, row.visible);
    m_form = &form;
    m_announce = row.announce;
    if (row.context) {
        m_context = QString::fromUtf8(row.context);
        name();
    }
}

// A screen reader hears a label with a context as "context: text", or the context alone while
// the label is empty.
void Label::name()
{
    const QString text = m_label->text();
    m_label->setAccessibleName(text.isEmpty() ? m_context
                                              : m_context + QStringLiteral(": ") + text);
}

QString Label::Caption() const
{
    return m_label->text();
}

// Right after the first frame: the label shows its text from now on, in the family that this
// machine has; where that or the drawing of the text differs from what the first frame showed,
// it is painted again.
void Label::checkPrerendered()
{
    if (!m_prerendered)
        return;
    const QImage shown = m_prerendered->image();
    if (dropPrerendered())
        return;
    const QImage real =
        m_form->grab(m_label->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    if (real != shown)
        m_label->update();
}

// The label shows its text itself from now on; returns whether that took another font (the
// label then paints itself again).
bool Label::dropPrerendered()
{
    if (!m_prerendered)
        return false;
    delete std::exchange(m_prerendered, nullptr);
    const QFont font = designFont(m_font);
    if (font == m_label->font())
        return false;
    m_label->setFont(font);
    return true;
}

void Label::setCaption(const QString& caption)
{
    dropPrerendered();
    m_label->setText(caption);
    if (!m_context.isEmpty())
        name();
    if (m_announce && !caption.isEmpty())
        m_form->announce(m_label->accessibleName().isEmpty() ? caption : m_label->accessibleName());
}

} // namespace rt
