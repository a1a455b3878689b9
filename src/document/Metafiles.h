#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace natalory {

// Windows metafiles, as a picture file may hold them: an Enhanced Metafile (EMF) or
// an old-style Windows Metafile (WMF, with or without its placeable header).
enum class MetafileKind { None, Emf, Wmf };
MetafileKind DetectMetafile(const QByteArray& bytes);

// The metafile as an SVG document; nothing when it is damaged.
std::optional<QByteArray> MetafileToSvg(const QByteArray& bytes);

// The metafile drawn at print resolution: its device-independent size is the
// picture's own size, its pixels as many as a print needs. Null when damaged.
QImage RenderMetafile(const QByteArray& bytes, QString* error = nullptr);

}  // namespace natalory
