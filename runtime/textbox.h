#pragma once

#include "runtime/control.h"

#include <QString>

class QLineEdit;

namespace rt {

class FormWidget;

// A one-line text box as designed.
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

} // namespace rt
