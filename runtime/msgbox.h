#pragma once

#include <QString>

#include <functional>

namespace rt {

// The program title: the caption of every message box.
inline const QString kProgramTitle = QStringLiteral("VorlanCup2001");

// A modal box with the prompt alone: one OK button, no icon, the program title. Returns
// when it is closed.
void rtcMsgBox(const QString& prompt);

// Replaces what rtcMsgBox shows (the handler is called in place of the real box and
// returns when "closed"); returns the old handler. An empty function restores the real box.
using MessageBoxHandler = std::function<void(const QString& prompt)>;
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace rt
