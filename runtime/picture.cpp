#include "picture.h"

#include <QImageReader>

namespace rt {

QPixmap readPicture(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImageReader(&reader);
}

} // namespace rt
