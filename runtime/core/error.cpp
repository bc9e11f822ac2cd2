#include "error.h"

namespace rt {

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

} // namespace rt
