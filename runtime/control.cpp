#include "control.h"

#include "runtime/units.h"

#include <QWidget>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace rt {

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

} // namespace rt
