#pragma once

#include <QString>

#include <functional>

namespace rt {

// A modal box with the prompt alone: one OK button, no icon, the program's title (see
// rt::Program). Returns when it is closed.
void rtcMsgBox(const QString& prompt);

// Replaces what rtcMsgBox shows (the handler is called in place of the real box and
// returns when "closed"); returns the old handler. An empty function restores the real box.
using MessageBoxHandler = std::function<void(const QString& prompt)>;
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace rt
