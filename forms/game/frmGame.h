#pragma once

#include "runtime/form.h"

namespace forms {

// The game screen.
class frmGame : public rt::Form
{
public:
    frmGame();
};

} // namespace forms
