#pragma once

#include <QPixmap>
#include <QString>

namespace rt {

// One of the program's own pictures, a PNG file in its resources. It is read as PNG and nothing
// else, so Qt loads none of its image plugins (GIF, JPEG, ...) to ask them about it first. Null
// where the file is missing or is no PNG.
QPixmap readPicture(const QString& path);

} // namespace rt
