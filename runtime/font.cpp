#include "font.h"

#include "runtime/units.h"

#include <QFontDatabase>
#include <QStringList>

namespace rt {
namespace {
const QString kDesignFamily = QStringLiteral("Arial Black");
const QString kStandInFamily = QStringLiteral("Lato");

// Looked up once, in the list of installed families: asking the font database for a family it
// lacks starts a slow search for aliases, and no font comes or goes while the program runs.
bool designFamilyInstalled()
{
    static const bool installed =
        QFontDatabase::families().contains(kDesignFamily, Qt::CaseInsensitive);
    return installed;
}
} // namespace

QString fontFamily()
{
    return designFamilyInstalled() ? kDesignFamily : kStandInFamily;
}

QFont designFont(const FontSpec& spec)
{
    const QString family = fontFamily();
    QFont font(family);
    font.setPixelSize(pointsToPixels(spec.points));
    // "Arial Black" is a black face at any weight; the stand-in has to ask for its black face.
    if (family == kDesignFamily)
        font.setWeight(spec.weight >= 700 ? QFont::Bold : QFont::Normal);
    else
        font.setWeight(QFont::Black);
    font.setItalic(spec.italic);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace rt
