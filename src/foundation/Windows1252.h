#pragma once

#include <QByteArray>
#include <QString>

namespace natalory {

// Text files of the program are Windows-1252 bytes on disk (UTF-8 after the byte order
// mark when a text needs it) and QString in memory; the functions here are the only
// place the conversion happens.

// Decodes Windows-1252 bytes. The five byte values the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as
// Windows itself does, so every byte sequence decodes and re-encodes unchanged.
QString FromWindows1252(QByteArrayView bytes);

// Encodes text as Windows-1252. Characters with no Windows-1252 form become '?';
// when `lossless` is given it is set to false if that happened.
QByteArray ToWindows1252(QStringView text, bool* lossless = nullptr);

// True when every character of the text has a Windows-1252 form.
bool IsWindows1252(QStringView text);

// The byte order mark that makes a file of the program UTF-8.
inline constexpr QByteArrayView kUtf8Mark = "\xEF\xBB\xBF";

// True when the bytes begin with the UTF-8 byte order mark.
bool HasUtf8Mark(QByteArrayView bytes);

// Decodes a whole text file: UTF-8 after the byte order mark, Windows-1252 otherwise.
QString DecodeTextFile(QByteArrayView bytes);

// Encodes a whole text file as Windows-1252 when every character fits, so such files
// keep the bytes they always had; otherwise as UTF-8 after the byte order mark, so that
// no name a user types can make a save impossible.
QByteArray EncodeTextFile(QStringView text);

}  // namespace natalory
