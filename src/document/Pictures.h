#pragma once

#include <QImage>
#include <QString>

namespace natalory {

// Reads a picture file of any format the machine can read (PNG, JPEG, GIF, BMP,
// ICO, SVG, ...). A null image, with the reason in `error`, when it cannot.
QImage LoadPicture(const QString& path, QString* error = nullptr);

// The file filter of the picture chooser.
QString PictureFileFilter();

}  // namespace natalory
