#pragma once

#include "runtime/form.h"

namespace forms {

// The title screen: the game's name, the two teams' emblems on their colours, and an
// invitation to click. A click on its surface opens the game screen.
class frmVorlan : public rt::Form
{
public:
    frmVorlan();

protected:
    void Form_Click() override;
};

} // namespace forms
