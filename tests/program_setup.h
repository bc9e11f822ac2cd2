#pragma once

#include "forms/instances.h"
#include "runtime/program.h"

// What the game sets up for the whole program (the title of its message boxes, the roles that
// screen readers are told), for as long as a test runs.
struct GameProgram : rt::Program
{
    GameProgram()
        : rt::Program(forms::kProgramTitle)
    {}
};
