#include "batch/PdfJoin.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace natalory {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' ||
           c == '/' || c == '%';
}

bool IsRegular(char c) {
    return !IsSpace(c) && !IsDelimiter(c);
}

bool IsDigits(QByteArrayView token) {
    return !token.isEmpty() &&
           std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Reads the tokens of one object's text, copying them out with every reference renumbered.
class Scanner {
  public:
    explicit Scanner(QByteArrayView text, qsizetype from = 0) : s_(text), i_(from) {}

    qsizetype pos() const { return i_; }

    // The next token, whitespace and comments passed over; strings, names and
    // brackets come whole. Empty at the end.
    QByteArrayView next() {
        skipSpace();
        if (i_ >= s_.size()) return {};
        const qsizetype start = i_;
        const char c = s_[i_];
        if (c == '(') {
            int depth = 0;
            for (; i_ < s_.size(); ++i_) {
                if (s_[i_] == '\\') {
                    ++i_;
                } else if (s_[i_] == '(') {
                    ++depth;
                } else if (s_[i_] == ')' && --depth == 0) {
                    ++i_;
                    break;
                }
            }
        } else if (c == '<' || c == '>') {
            if (i_ + 1 < s_.size() && s_[i_ + 1] == c)
                i_ += 2;
            else if (c == '<')
                while (i_ < s_.size() && s_[i_++] != '>') {
                }
            else
                ++i_;
        } else if (c == '[' || c == ']' || c == '{' || c == '}') {
            ++i_;
        } else {
            if (c == '/') ++i_;
            while (i_ < s_.size() && IsRegular(s_[i_])) ++i_;
        }
        return s_.sliced(start, i_ - start);
    }

    // The object number of a reference "n g R" starting at the token just read, which
    // is passed over; nothing (and nothing passed) when the token does not begin one.
    std::optional<int> reference(QByteArrayView token) {
        if (!IsDigits(token)) return std::nullopt;
        const qsizetype at = i_;
        const QByteArrayView generation = next();
        const QByteArrayView r = next();
        if (IsDigits(generation) && r == "R") return token.toInt();
        i_ = at;
        return std::nullopt;
    }

  private:
    void skipSpace() {
        while (i_ < s_.size()) {
            if (IsSpace(s_[i_]))
                ++i_;
            else if (s_[i_] == '%')
                while (i_ < s_.size() && s_[i_] != '\n' && s_[i_] != '\r') ++i_;
            else
                break;
        }
    }

    QByteArrayView s_;
    qsizetype i_;
};

// One file to join: where its objects lie, and which of them hold its pages.
struct Part {
    QFile file;
    std::vector<qint64> offsets;  // by object number; -1 for none
    std::vector<qint64> ends;     // by object number: where the next object or the table begins
    qint64 xref = 0;
    int root = 0, info = 0, pageTree = 0;
    std::vector<int> pages;
    std::vector<int> renumbered;  // by object number: its number in the joined file

    QByteArray read(qint64 at, qint64 size) {
        if (!file.seek(at)) return {};
        return file.read(size);
    }

    // The text of object `n`, from "n 0 obj" up to the next object or the table.
    QByteArray object(int n) { return read(offsets[size_t(n)], ends[size_t(n)] - offsets[size_t(n)]); }
};

// Where the body of an object's text begins, after "n g obj"; -1 when the text is no such object.
qsizetype BodyOf(QByteArrayView text, int number) {
    Scanner in(text);
    const QByteArrayView n = in.next(), g = in.next(), obj = in.next();
    if (!IsDigits(n) || n.toInt() != number || !IsDigits(g) || obj != "obj") return -1;
    return in.pos();
}

// The object a key of an object's dictionary refers to (the first such key).
std::optional<int> ReferenceAt(QByteArrayView body, QByteArrayView key) {
    Scanner in(body);
    for (QByteArrayView t = in.next(); !t.isEmpty(); t = in.next())
        if (t == key) return in.reference(in.next());
    return std::nullopt;
}

bool Refuse(QString* error, const QString& file, const QString& why) {
    if (error) *error = QStringLiteral("%1: %2").arg(file, why);
    return false;
}

bool ReadPart(Part& part, QString* error) {
    const QString name = part.file.fileName();
    if (!part.file.open(QIODevice::ReadOnly)) return Refuse(error, name, part.file.errorString());
    const qint64 size = part.file.size();
    const QByteArray tail = part.read(std::max<qint64>(0, size - 1024), 1024);
    const qsizetype startxref = tail.lastIndexOf("startxref");
    if (startxref < 0) return Refuse(error, name, QStringLiteral("no cross-reference table"));
    Scanner tailIn(tail, startxref + 9);
    bool ok = false;
    part.xref = tailIn.next().toLongLong(&ok);
    if (!ok || part.xref <= 0 || part.xref >= size)
        return Refuse(error, name, QStringLiteral("a bad startxref"));

    const QByteArray table = part.read(part.xref, size - part.xref);
    Scanner in(table);
    if (in.next() != "xref") return Refuse(error, name, QStringLiteral("not a plain cross-reference table"));
    for (QByteArrayView t = in.next(); t != "trailer"; t = in.next()) {
        const QByteArrayView count = in.next();
        if (!IsDigits(t) || !IsDigits(count)) return Refuse(error, name, QStringLiteral("a damaged table"));
        const int first = t.toInt(), n = count.toInt();
        if (first < 0 || n < 0 || first + n > 10'000'000)
            return Refuse(error, name, QStringLiteral("a damaged table"));
        if (part.offsets.size() < size_t(first + n)) part.offsets.resize(size_t(first + n), -1);
        for (int k = 0; k < n; ++k) {
            const QByteArrayView offset = in.next(), generation = in.next(), kind = in.next();
            if (!IsDigits(offset) || !IsDigits(generation) || (kind != "n" && kind != "f"))
                return Refuse(error, name, QStringLiteral("a damaged table"));
            if (kind == "f") continue;
            if (generation.toInt() != 0) return Refuse(error, name, QStringLiteral("an updated object"));
            part.offsets[size_t(first + k)] = offset.toLongLong();
        }
    }
    std::vector<qint64> starts{part.xref};
    for (const qint64 o : part.offsets)
        if (o > 0) starts.push_back(o);
    std::sort(starts.begin(), starts.end());
    part.ends.assign(part.offsets.size(), 0);
    for (size_t n = 0; n < part.offsets.size(); ++n) {
        if (part.offsets[n] <= 0) continue;
        const auto after = std::upper_bound(starts.begin(), starts.end(), part.offsets[n]);
        if (after == starts.end() || part.offsets[n] >= part.xref)
            return Refuse(error, name, QStringLiteral("an object after the table"));
        part.ends[n] = *after;
    }
    const QByteArrayView trailer = QByteArrayView(table).sliced(in.pos());
    const auto known = [&part](std::optional<int> n) {
        return n && *n > 0 && size_t(*n) < part.offsets.size() && part.offsets[size_t(*n)] > 0;
    };
    const std::optional<int> root = ReferenceAt(trailer, "/Root"), info = ReferenceAt(trailer, "/Info");
    if (!known(root)) return Refuse(error, name, QStringLiteral("no document catalog"));
    part.root = *root;
    part.info = known(info) ? *info : 0;

    const QByteArray catalog = part.object(part.root);
    const qsizetype catalogBody = BodyOf(catalog, part.root);
    const std::optional<int> tree =
        catalogBody < 0 ? std::nullopt : ReferenceAt(QByteArrayView(catalog).sliced(catalogBody), "/Pages");
    if (!known(tree)) return Refuse(error, name, QStringLiteral("no page tree"));
    part.pageTree = *tree;
    const QByteArray pages = part.object(part.pageTree);
    const qsizetype pagesBody = BodyOf(pages, part.pageTree);
    if (pagesBody < 0) return Refuse(error, name, QStringLiteral("no page tree"));
    Scanner kids(pages, pagesBody);
    QByteArrayView t = kids.next();
    while (!t.isEmpty() && t != "/Kids") t = kids.next();
    if (kids.next() != "[") return Refuse(error, name, QStringLiteral("a page tree without pages"));
    for (t = kids.next(); t != "]"; t = kids.next()) {
        const std::optional<int> page = kids.reference(t);
        if (!known(page)) return Refuse(error, name, QStringLiteral("a page tree of more than one level"));
        part.pages.push_back(*page);
    }
    return true;
}

// Writes object `n` of `part` as object `number` of the joined file, references renumbered.
bool CopyObject(Part& part, int n, int number, QIODevice& out, QString* error) {
    const QByteArray text = part.object(n);
    const qsizetype body = BodyOf(text, n);
    if (body < 0)
        return Refuse(error, part.file.fileName(),
                      QStringLiteral("object %1 is not where the table says").arg(n));
    QByteArray copy = QByteArray::number(number) + " 0 obj";
    Scanner in(text, body);
    qsizetype copied = body;
    for (;;) {
        const QByteArrayView t = in.next();
        if (t.isEmpty())
            return Refuse(error, part.file.fileName(), QStringLiteral("object %1 has no end").arg(n));
        if (t == "stream" || t == "endobj") {
            // What follows the dictionary, the stream's bytes with it, is copied as it stands.
            copy += QByteArrayView(text).sliced(copied);
            break;
        }
        const qsizetype start = in.pos() - t.size();
        const std::optional<int> target = in.reference(t);
        if (!target) continue;
        const int to = *target == part.pageTree                   ? 3
                       : *target == part.root                     ? 2
                       : *target == part.info                     ? 1
                       : size_t(*target) < part.renumbered.size() ? part.renumbered[size_t(*target)]
                                                                  : 0;
        if (to == 0)
            return Refuse(error, part.file.fileName(),
                          QStringLiteral("object %1 refers to a missing object").arg(n));
        copy += QByteArrayView(text).sliced(copied, start - copied);
        copy += QByteArray::number(to) + " 0 R";
        copied = in.pos();
    }
    if (!copy.endsWith('\n')) copy += '\n';
    return out.write(copy) == copy.size();
}

}  // namespace

bool JoinPdfs(const QStringList& paths, const QString& target, QString* error) {
    std::vector<std::unique_ptr<Part>> parts;
    for (const QString& path : paths) {
        parts.push_back(std::make_unique<Part>());
        parts.back()->file.setFileName(path);
        if (!ReadPart(*parts.back(), error)) return false;
    }
    if (parts.empty()) return Refuse(error, target, QStringLiteral("nothing to join"));

    // 1 the document's information (the first file's), 2 the catalog, 3 the page tree; then each file's own.
    int next = 4;
    for (auto& part : parts) {
        part->renumbered.assign(part->offsets.size(), 0);
        for (size_t n = 1; n < part->offsets.size(); ++n)
            if (part->offsets[n] > 0 && int(n) != part->root && int(n) != part->pageTree &&
                int(n) != part->info)
                part->renumbered[n] = next++;
    }
    std::vector<qint64> at(size_t(next), 0);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return Refuse(error, target, out.errorString());
    out.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    const auto place = [&at, &out](int number) { at[size_t(number)] = out.pos(); };
    if (parts.front()->info) {
        place(1);
        if (!CopyObject(*parts.front(), parts.front()->info, 1, out, error)) return false;
    }
    place(2);
    out.write("2 0 obj\n<<\n/Type /Catalog\n/Pages 3 0 R\n>>\nendobj\n");
    QByteArray kids;
    int pages = 0;
    for (auto& part : parts) {
        std::vector<int> inFileOrder;
        for (size_t n = 1; n < part->renumbered.size(); ++n)
            if (part->renumbered[n]) inFileOrder.push_back(int(n));
        std::sort(inFileOrder.begin(), inFileOrder.end(),
                  [&part](int a, int b) { return part->offsets[size_t(a)] < part->offsets[size_t(b)]; });
        for (const int n : inFileOrder) {
            place(part->renumbered[size_t(n)]);
            if (!CopyObject(*part, n, part->renumbered[size_t(n)], out, error)) return false;
        }
        for (const int page : part->pages)
            kids += QByteArray::number(part->renumbered[size_t(page)]) + " 0 R\n";
        pages += int(part->pages.size());
        part->file.close();
    }
    place(3);
    out.write("3 0 obj\n<<\n/Type /Pages\n/Kids [\n" + kids + "]\n/Count " + QByteArray::number(pages) +
              "\n>>\nendobj\n");
    const qint64 xref = out.pos();
    QByteArray table = "xref\n0 " + QByteArray::number(next) + "\n0000000000 65535 f \n";
    for (int n = 1; n < next; ++n)
        table += at[size_t(n)] ? QByteArray::number(at[size_t(n)]).rightJustified(10, '0') + " 00000 n \n"
                               : QByteArray("0000000000 65535 f \n");
    out.write(table);
    out.write("trailer\n<<\n/Size " + QByteArray::number(next) +
              (parts.front()->info ? "\n/Info 1 0 R" : "") + "\n/Root 2 0 R\n>>\nstartxref\n" +
              QByteArray::number(xref) + "\n%%EOF\n");
    if (!out.commit()) return Refuse(error, target, out.errorString());
    return true;
}

}  // namespace natalory
