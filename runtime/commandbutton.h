#pragma once

#include "runtime/control.h"

#include <functional>

class QPushButton;

namespace rt {

class FormWidget;

// A command button as designed.
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

} // namespace rt
