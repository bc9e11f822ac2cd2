#pragma once

#include <QString>

namespace forms {

// The program's title, which the runtime is given at start: the caption of every message box.
inline const QString kProgramTitle = QStringLiteral("VorlanCup2001");

} // namespace forms
