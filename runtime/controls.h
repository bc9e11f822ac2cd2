#pragma once

// The controls that a form shows, each with its row of the form's design table. Every widget
// behind them is the runtime's own business: this header names none.

#include "runtime/design.h"

#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rt {

class FormWidget;

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

struct LabelRow
{
    const char* name = "";
    Placement at{};
    const char* text = "";
    FontSpec font{};
    ColorSpec foreColor{};
    ColorSpec backColor{};
    BackStyle backStyle = BackStyle::Opaque;
    bool visible = true;
    // What a screen reader says, where the text alone would not do.
    const char* description = nullptr;
    // What the text is, for a screen reader, which then says "context: text".
    const char* context = nullptr;
    // Whether a screen reader is told, unasked, when the label gets a text.
    bool announce = false;
};

// Text drawn on the form, centred and wrapped at word boundaries, shown as typed. A label
// takes every click over its whole rectangle, transparent or not, so a click there never
// reaches the form.
class Label : public Control
{
public:
    using Row = LabelRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);

    QString Caption() const;
    void setCaption(const QString& caption);

private:
    void name();

    QLabel* m_label = nullptr;
    FormWidget* m_form = nullptr;
    QString m_context;
    bool m_announce = false;
};

struct TextBoxRow
{
    const char* name = "";
    Placement at{};
    const char* text = "";
    FontSpec font{};
    ColorSpec foreColor{};
    ColorSpec backColor{};
    bool visible = true;
    const char* description = nullptr;
    // Its place in the form's focus order, from 0.
    int tabIndex = -1;
};

// A one-line box the player types into, text centred, with no limit on its length. A window
// of its own: it lies over every control drawn on the form.
class TextBox : public Control
{
public:
    using Row = TextBoxRow;
    static constexpr bool kWindowed = true;

    void build(const Row& row, FormWidget& form);

    QString Text() const;
    void setText(const QString& text);
    void SetFocus();

private:
    QLineEdit* m_edit = nullptr;
};

struct CommandButtonRow
{
    const char* name = "";
    Placement at{};
    const char* text = "";
    FontSpec font{};
    // Its place in the form's focus order, from 0.
    int tabIndex = -1;
    // Whether Enter anywhere on the form presses it.
    bool isDefault = false;
};

// A push button. A window of its own: it lies over every control drawn on the form.
class CommandButton : public Control
{
public:
    using Row = CommandButtonRow;
    static constexpr bool kWindowed = true;

    void build(const Row& row, FormWidget& form);

    // The handler runs through the runtime's handler guard.
    void onClick(std::function<void()> handler);

private:
    QPushButton* m_button = nullptr;
};

struct ImageRow
{
    const char* name = "";
    Placement at{};
    bool visible = true;
    // The picture's PNG file among the program's resources (":/pictures/NAME.png"); beside it
    // NAME@2x.png, at twice the size, serves high-density screens.
    const char* picture = "";
    // Stretched to the control's size, or at its natural size.
    bool stretch = false;
    const char* description = nullptr;
};

// A picture drawn on the form, which the program may move. Transparent pixels show what lies
// beneath. It takes every click over its rectangle, so a click there never reaches the form.
class Image : public Control
{
public:
    using Row = ImageRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);

    float Left() const { return m_left; }
    void setLeft(float twips);
    void setTop(float twips);

private:
    void place();

    float m_left = 0;
    float m_top = 0;
};

// A rectangle shape as designed: solid, no outline.
struct ShapeRow
{
    const char* name = "";
    Placement at{};
    ColorSpec backColor{};
    const char* description = nullptr;
};

// A filled rectangle drawn on the form; clicks go through it to the form.
class Shape : public Control
{
public:
    using Row = ShapeRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);
};

// A line control as designed: its two ends in twips.
struct LineRow
{
    const char* name = "";
    ColorSpec foreColor{};
    bool visible = true;
    const char* description = nullptr;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// A one-pixel line drawn on the form; clicks go through it to the form.
class LineControl : public Control
{
public:
    using Row = LineRow;
    static constexpr bool kWindowed = false;

    void build(const Row& row, FormWidget& form);
};

} // namespace rt
