#pragma once

#include <QString>
#include <QStringList>

namespace natalory {

// Joins PDF files written by QPdfWriter into one, their pages in the order given.
// Objects are copied as they stand, renumbered, one at a time: memory stays the same
// however many pages there are. Only what QPdfWriter writes is read (a plain
// cross-reference table, one page tree of the files' own pages); anything else is
// refused with the reason. The target appears whole or not at all.
bool JoinPdfs(const QStringList& parts, const QString& target, QString* error = nullptr);

}  // namespace natalory
