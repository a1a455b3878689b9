#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace natalory {

// The metafile libraries read records at the offsets and counts the file gives them,
// without checking them against the file: a hostile file makes them read past its end.
// These walks check a metafile's framing before any library sees it: every record
// inside the file, aligned, at least as long as its fixed part, every count and offset
// inside its record, every object index inside the header's table. Nothing when the
// file holds together; otherwise where and what is wrong.

// The most records a picture may hold: a page's drawing needs far fewer.
inline constexpr quint32 kMostMetafileRecords = 1'000'000;

std::optional<QString> EmfFramingProblem(const QByteArray& bytes);
// A WMF, with or without its 22-byte placeable header.
std::optional<QString> WmfFramingProblem(const QByteArray& bytes);

}  // namespace natalory
