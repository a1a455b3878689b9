#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

// What poppler's tools read from a PDF file.
namespace natalory::test {

// What a tool writes to its standard output, once it has ended.
inline QString ToolOutput(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (from 1), or of the whole file for page 0.
inline QString PdfText(const QString& path, int page = 0) {
    QStringList args;
    if (page) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return ToolOutput("pdftotext", args << path << "-");
}

// The number of pages, or -1 when the file is no PDF.
inline int PdfPages(const QString& path) {
    const QString info = ToolOutput("pdfinfo", {path});
    const qsizetype at = info.indexOf("Pages:");
    return at < 0 ? -1 : info.mid(at + 6, info.indexOf(u'\n', at) - at - 6).trimmed().toInt();
}

struct PdfWord {
    QRectF box;  // points
    QString text;
};

// Every word of the file with its box, as pdftotext -bbox finds them.
inline std::vector<PdfWord> PdfWords(const QString& pdf) {
    const QString html = ToolOutput("pdftotext", {"-bbox", pdf, "-"});
    static const QRegularExpression re(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                         m.captured(5)
                             .replace("&amp;", "&")
                             .replace("&quot;", "\"")
                             .replace("&lt;", "<")
                             .replace("&gt;", ">")
                             .replace("&apos;", "'")});
    }
    return words;
}

struct PdfImage {
    QString type;      // "image" or "smask"
    QString encoding;  // "image" (Flate), "jpeg", ...
    QString object;    // the image object's number: the same on every page that shows it
};

// Every picture drawn on every page, as pdfimages -list finds them.
inline std::vector<PdfImage> PdfImages(const QString& pdf) {
    std::vector<PdfImage> images;
    const QStringList lines = ToolOutput("pdfimages", {"-list", pdf}).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        if (f.size() >= 12) images.push_back({f[2], f[8], f[10]});
    }
    return images;
}

}  // namespace natalory::test
