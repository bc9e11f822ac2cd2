#pragma once

#include "runtime/design.h"

#include <QColor>
#include <QRect>

class QWidget;

namespace rt {

// What every control that shows on its form has: the widget that its form built for it, and
// its own Visible flag. A control is unbound until its form builds it from its table row,
// which happens once.
class Control
{
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control's own flag, whether or not its form is on the screen.
    bool Visible() const;
    void setVisible(bool visible);

    QWidget* widget() const { return m_widget; }

protected:
    // Takes the widget built for the control's row: names it, tells screen readers what it
    // shows (where the row says), and shows or hides it.
    void bind(QWidget* widget, const char* name, const char* description, bool visible);

private:
    QWidget* m_widget = nullptr;
};

QColor toQColor(Color color);
// A design colour as the screen shows it; `fallback` stands for the control's default.
QColor resolve(const ColorSpec& spec, SystemColor fallback);
// A control's place on its form, in pixels.
QRect twipsRect(const Placement& at);
// The rectangle with two given corners, in either order, both corners included.
QRect spanning(QPoint a, QPoint b);

} // namespace rt
