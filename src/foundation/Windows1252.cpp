#include "foundation/Windows1252.h"

#include <array>

namespace natalory {
namespace {

// Unicode code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int EncodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < int(kHighControls.size()); ++i)
        if (kHighControls[i] == c) return 0x80 + i;
    return -1;
}

}  // namespace

QString FromWindows1252(QByteArrayView bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray ToWindows1252(QStringView text, bool* lossless) {
    QByteArray bytes;
    bytes.resize(text.size());
    bool ok = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int b = EncodeChar(text[i].unicode());
        if (b < 0) {
            ok = false;
            b = '?';
        }
        bytes[i] = static_cast<char>(b);
    }
    if (lossless) *lossless = ok;
    return bytes;
}

bool IsWindows1252(QStringView text) {
    for (QChar c : text)
        if (EncodeChar(c.unicode()) < 0) return false;
    return true;
}

bool HasUtf8Mark(QByteArrayView bytes) {
    return bytes.startsWith(kUtf8Mark);
}

QString DecodeTextFile(QByteArrayView bytes) {
    if (HasUtf8Mark(bytes)) return QString::fromUtf8(bytes.sliced(kUtf8Mark.size()));
    return FromWindows1252(bytes);
}

QByteArray EncodeTextFile(QStringView text) {
    if (IsWindows1252(text)) return ToWindows1252(text);
    return kUtf8Mark.toByteArray() + text.toUtf8();
}

}  // namespace natalory
