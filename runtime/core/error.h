#pragma once

#include <QString>

#include <exception>
#include <string>

namespace rt {

// The runtime's error numbers, as its error box shows them.
enum class ErrorNumber : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    InternalError = 51,
    InvalidPropertyValue = 380,
};

QString errorText(ErrorNumber number);

class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorNumber number);

    ErrorNumber number() const { return m_number; }
    QString description() const { return errorText(m_number); }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    ErrorNumber m_number;
    std::string m_what;
};

[[noreturn]] void raise(ErrorNumber number);

} // namespace rt
