#include "error.h"

#include "msgbox.h"

#include <new>
#include <QApplication>
#include <QWidget>

namespace rt {
namespace {
bool g_ended = false;
}

QString errorText(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::InvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumber::OutOfMemory:
        return QStringLiteral("Out of memory");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrorNumber::InternalError:
        return QStringLiteral("Internal error");
    case ErrorNumber::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    }
    return QStringLiteral("Application-defined or object-defined error");
}

RuntimeError::RuntimeError(ErrorNumber number)
    : m_number(number),
      m_what("Run-time error " + std::to_string(static_cast<int>(number)) + ": " +
             errorText(number).toStdString())
{}

void raise(ErrorNumber number)
{
    throw RuntimeError(number);
}

void runHandler(const std::function<void()>& handler)
{
    if (g_ended)
        return;
    try {
        handler();
    } catch (const RuntimeError& error) {
        endWithError(error);
    } catch (const std::bad_alloc&) {
        endWithError(RuntimeError(ErrorNumber::OutOfMemory));
    } catch (...) {
        endWithError(RuntimeError(ErrorNumber::InternalError));
    }
}

void endWithError(const RuntimeError& error)
{
    if (g_ended)
        return;
    g_ended = true;
    rtcMsgBox(QStringLiteral("Run-time error '%1':\n\n%2")
                  .arg(static_cast<int>(error.number()))
                  .arg(error.description()));
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(kUnhandledErrorStatus);
}

bool programEnded()
{
    return g_ended;
}

} // namespace rt
