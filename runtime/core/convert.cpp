#include "convert.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace rt {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

Integer integerFromDouble(double value)
{
    if (!(value >= Integer::kMin && value <= Integer::kMax))
        raise(ErrorNumber::Overflow);
    return Integer(static_cast<int>(value));
}

} // namespace

Integer textToInteger(const QString& text)
{
    QStringView number = trimBlanks(text);
    bool negative = false;
    if (!number.isEmpty() && (number.front() == u'+' || number.front() == u'-')) {
        negative = number.front() == u'-';
        number = number.sliced(1);
    }
    if (number.isEmpty())
        raise(ErrorNumber::TypeMismatch);
    // Accumulate with a cap so that any number of digits is read without overflowing here.
    int magnitude = 0;
    for (QChar c : number) {
        if (!isDigit(c))
            raise(ErrorNumber::TypeMismatch);
        magnitude = std::min(magnitude * 10 + (c.unicode() - u'0'), Integer::kMax + 2);
    }
    return Integer(negative ? -magnitude : magnitude);
}

QString integerToText(Integer value)
{
    return QString::number(value.value());
}

double textToDouble(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$)"));
    const QString trimmed = trimBlanks(text).toString();
    if (!number.match(trimmed).hasMatch())
        raise(ErrorNumber::TypeMismatch);
    // The text is a well-formed number here, so a failed conversion means out of range.
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        raise(ErrorNumber::Overflow);
    return value;
}

Integer floorToInteger(double value)
{
    return integerFromDouble(std::floor(value));
}

Integer roundToInteger(double value)
{
    // nearbyint rounds in the default mode, to nearest with halves to even.
    return integerFromDouble(std::nearbyint(value));
}

} // namespace rt
