#pragma once

#include "runtime/form.h"

#include <span>

namespace forms {

// The title screen: the game's name, the two teams' emblems on their colours, and an
// invitation to click. A click on its surface opens the game screen.
class frmVorlan : public rt::Form
{
public:
    frmVorlan();

protected:
    void Form_Click() override;

private:
    // The design table: every control below with its design, front to back.
    static std::span<const rt::ControlRow<frmVorlan>> controls();

    rt::Image Image2;
    rt::Image Image1;
    rt::Label lblClickToGuess;
    rt::Label lblVorlanCup;
    rt::Shape shpBackground;
};

} // namespace forms
