#pragma once

#include "runtime/core/error.h"

#include <functional>

namespace rt {

// Every event handler is entered through here. A runtime error that the handler does not
// handle takes the unhandled path: the standard error box, then the program ends with a
// non-zero status. Nothing escapes into the toolkit's event loop.
void runHandler(const std::function<void()>& handler);

// Whether a handler is running now (a message box's event loop runs inside one), and an
// action for the moment the outermost handler has returned.
bool handlerRunning();
void whenNoHandlerRuns(std::function<void()> action);

// The unhandled path on its own: error box, every window hidden, the event loops told to end.
void endWithError(const RuntimeError& error);

// True once the unhandled path has been taken; no handler runs after that.
bool programEnded();

// The exit status that the program ends with after an unhandled error.
inline constexpr int kUnhandledErrorStatus = 1;

} // namespace rt
