#pragma once

#include "runtime/design.h"

#include <QFont>
#include <QString>

namespace rt {

// The face every text of the game is set in: "Arial Black" where it is installed; otherwise
// the black (heaviest) face of Lato, which the set-up installs.
QString fontFamily();

// The font of a design row, sized in pixels so that it keeps its size in twips on any screen.
QFont designFont(const FontSpec& spec);

} // namespace rt
