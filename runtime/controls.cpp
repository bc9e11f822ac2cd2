#include "controls.h"

#include "runtime/core/error.h"
#include "runtime/font.h"
#include "runtime/formwidget.h"
#include "runtime/handler.h"
#include "runtime/picture.h"
#include "runtime/units.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <utility>

namespace rt {

QColor toQColor(Color color)
{
    return QColor(color.red, color.green, color.blue);
}

QColor resolve(const ColorSpec& spec, SystemColor fallback)
{
    if (spec.kind == ColorSpec::Kind::Rgb)
        return toQColor(spec.rgb);
    // The system colours as the forms were designed with them, the same under every desktop
    // theme: a control's text and what lies behind it then always come from one scheme, and
    // keep their contrast when the desktop is dark.
    switch (spec.kind == ColorSpec::Kind::System ? spec.system : fallback) {
    case SystemColor::ButtonFace:
        return QColor(0xef, 0xef, 0xef);
    case SystemColor::ButtonText:
    case SystemColor::WindowText:
        return Qt::black;
    case SystemColor::CaptionText:
        return Qt::white;
    }
    return Qt::black;
}

QRect twipsRect(const Placement& at)
{
    return QRect(twipsToPixels(at.left), twipsToPixels(at.top), twipsToPixels(at.width),
                 twipsToPixels(at.height));
}

QRect spanning(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

Graphic::Graphic(QAccessible::Role role, Paint paint, QWidget* form)
    : QWidget(form),
      m_role(role),
      m_paint(std::move(paint))
{}

void Graphic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_paint(painter, *this);
}

bool Control::Visible() const
{
    return !m_widget->isHidden();
}

void Control::setVisible(bool visible)
{
    m_widget->setVisible(visible);
}

void Control::bind(QWidget* widget, const char* name, const char* description, bool visible)
{
    if (m_widget)
        throw std::logic_error(std::string("control built twice: ") + name);
    m_widget = widget;
    widget->setObjectName(QString::fromUtf8(name));
    if (description)
        widget->setAccessibleName(QString::fromUtf8(description));
    widget->setHidden(!visible);
}

void Label::build(const Row& row, FormWidget& form)
{
    m_label = new QLabel(QString::fromUtf8(row.text), &form);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label->setFont(designFont(row.font));
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, resolve(row.foreColor, SystemColor::ButtonText));
    palette.setColor(QPalette::Window, resolve(row.backColor, SystemColor::ButtonFace));
    m_label->setPalette(palette);
    m_label->setAutoFillBackground(row.backStyle == BackStyle::Opaque);
    // A label ignores the mouse; the press stops here all the same.
    m_label->setAttribute(Qt::WA_NoMousePropagation);
    m_label->setGeometry(twipsRect(row.at));
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

void Label::setCaption(const QString& caption)
{
    m_label->setText(caption);
    if (!m_context.isEmpty())
        name();
    if (m_announce && !caption.isEmpty())
        m_form->announce(m_label->accessibleName().isEmpty() ? caption : m_label->accessibleName());
}

void TextBox::build(const Row& row, FormWidget& form)
{
    m_edit = new QLineEdit(QString::fromUtf8(row.text), &form);
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setMaxLength(INT_MAX);
    m_edit->setFont(designFont(row.font));
    QPalette palette = m_edit->palette();
    if (row.foreColor.kind != ColorSpec::Kind::Default)
        palette.setColor(QPalette::Text, resolve(row.foreColor, SystemColor::WindowText));
    if (row.backColor.kind != ColorSpec::Kind::Default)
        palette.setColor(QPalette::Base, resolve(row.backColor, SystemColor::ButtonFace));
    m_edit->setPalette(palette);
    m_edit->setGeometry(twipsRect(row.at));
    bind(m_edit, row.name, row.description, row.visible);
}

QString TextBox::Text() const
{
    return m_edit->text();
}

void TextBox::setText(const QString& text)
{
    m_edit->setText(text);
    // What the program puts in the box that the player types in is there to be typed over.
    // (A box that the player goes to with Tab selects its text by itself; one with the mouse
    // puts the cursor where it was clicked.)
    if (m_edit->window()->focusWidget() == m_edit)
        m_edit->selectAll();
}

void TextBox::SetFocus()
{
    // A hidden or disabled box cannot take the focus.
    if (m_edit->isHidden() || !m_edit->isEnabled())
        raise(ErrorNumber::InvalidCall);
    m_edit->setFocus(Qt::OtherFocusReason);
}

void CommandButton::build(const Row& row, FormWidget& form)
{
    m_button = new QPushButton(QString::fromUtf8(row.text), &form);
    m_button->setFont(designFont(row.font));
    if (row.isDefault) {
        m_button->setDefault(true);
        form.setDefaultButton(m_button);
    }
    m_button->setGeometry(twipsRect(row.at));
    bind(m_button, row.name, nullptr, true);
}

void CommandButton::onClick(std::function<void()> handler)
{
    QObject::connect(m_button, &QPushButton::clicked, m_button,
                     [handler = std::move(handler)] { runHandler(handler); });
}

void Image::build(const Row& row, FormWidget& form)
{
    // The picture is read when it is first painted, only at the density it is shown at, and made
    // once at its size on the screen: every paint then copies it pixel for pixel. (Scaled as it
    // is drawn, it would be resampled on each paint, by threads that Qt starts for it.)
    auto paint = [path = QString::fromUtf8(row.picture), stretch = row.stretch,
                  shown = QPixmap()](QPainter& painter, const QWidget& widget) mutable {
        const qreal scale = widget.devicePixelRatioF();
        if (shown.isNull() || shown.devicePixelRatio() != scale) {
            const bool dense = scale > 1;
            shown =
                readPicture(dense ? QString(path).insert(path.lastIndexOf(u'.'), u"@2x") : path);
            shown.setDevicePixelRatio(dense ? 2 : 1);
            // At 1x and 2x each pixel of the picture is a pixel of the screen. Stretched, or at
            // any other scale (1.25x, 1.5x, ...), it is resampled, and smoothly, or thin lines
            // would break up.
            const QSizeF size = stretch ? QSizeF(widget.size()) : shown.deviceIndependentSize();
            const QSize pixels = (size * scale).toSize();
            if (!shown.isNull() && shown.size() != pixels) {
                shown = shown.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                shown.setDevicePixelRatio(scale);
            }
        }
        painter.drawPixmap(QPoint(0, 0), shown);
    };
    auto* image = new Graphic(QAccessible::Graphic, std::move(paint), &form);
    // The picture ignores the mouse; the press stops here all the same.
    image->setAttribute(Qt::WA_NoMousePropagation);
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

void Shape::build(const Row& row, FormWidget& form)
{
    auto paint = [fill = resolve(row.backColor, SystemColor::ButtonFace)](QPainter& painter,
                                                                          const QWidget& widget) {
        painter.fillRect(widget.rect(), fill);
    };
    auto* shape = new Graphic(QAccessible::Graphic, std::move(paint), &form);
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape->setGeometry(twipsRect(row.at));
    bind(shape, row.name, row.description, true);
}

void LineControl::build(const Row& row, FormWidget& form)
{
    const QPoint a(twipsToPixels(row.x1), twipsToPixels(row.y1));
    const QPoint b(twipsToPixels(row.x2), twipsToPixels(row.y2));
    const QRect bounds = spanning(a, b);
    auto paint = [from = a - bounds.topLeft(), to = b - bounds.topLeft(),
                  pen = QPen(resolve(row.foreColor, SystemColor::WindowText), 0)](QPainter& painter,
                                                                                  const QWidget&) {
        painter.setPen(pen);
        painter.drawLine(from, to);
    };
    auto* line = new Graphic(QAccessible::Separator, std::move(paint), &form);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setGeometry(bounds);
    bind(line, row.name, row.description, row.visible);
}

} // namespace rt
