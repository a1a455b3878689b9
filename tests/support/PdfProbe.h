#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What poppler's tools read from a PDF file.
namespace natalory::test {

// The text of one page (from 1), or of the whole file for page 0.
inline QString PdfText(const QString& path, int page = 0) {
    QStringList args;
    if (page) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess p;
    p.start("pdftotext", args << path << "-");
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The number of pages, or -1 when the file is no PDF.
inline int PdfPages(const QString& path) {
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished();
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const qsizetype at = info.indexOf("Pages:");
    return at < 0 ? -1 : info.mid(at + 6, info.indexOf(u'\n', at) - at - 6).trimmed().toInt();
}

}  // namespace natalory::test
