#include "document/MetafileFraming.h"

#include <QtEndian>

#include <initializer_list>

namespace natalory {
namespace {

// Bounds are checked in 64 bits: no count or offset from the file can wrap them.
class Reader {
  public:
    explicit Reader(const QByteArray& bytes) : b_(bytes) {}
    quint64 size() const { return quint64(b_.size()); }
    quint32 u32(quint64 at) const {
        return at + 4 <= size() ? qFromLittleEndian<quint32>(b_.constData() + at) : 0;
    }
    quint16 u16(quint64 at) const {
        return at + 2 <= size() ? qFromLittleEndian<quint16>(b_.constData() + at) : 0;
    }
    qint32 i32(quint64 at) const { return qint32(u32(at)); }

  private:
    const QByteArray& b_;
};

QString Record(quint64 number, quint64 offset) {
    return QStringLiteral("record %1 (at byte %2)").arg(number).arg(offset);
}

// The most pixels a bitmap inside a metafile may have, as for a picture file of its own.
constexpr quint64 kMostBitmapPixels = 120'000'000;

// A device-independent bitmap inside a record: its header, colour table and bits within the record.
std::optional<QString> DibProblem(const Reader& r, quint64 record, quint64 recordSize, quint64 offBmi,
                                  quint64 cbBmi, quint64 offBits, quint64 cbBits) {
    if (cbBmi == 0 && cbBits == 0) return std::nullopt;
    if (offBmi + cbBmi > recordSize || offBits + cbBits > recordSize)
        return QStringLiteral("its bitmap lies outside the record");
    const quint64 at = record + offBmi;
    const quint32 headerSize = cbBmi >= 4 ? r.u32(at) : 0;
    quint64 width = 0, height = 0, bitCount = 0, colours = 0, compression = 0;
    if (headerSize == 12 && cbBmi >= 12) {  // the old core header
        width = r.u16(at + 4);
        height = r.u16(at + 6);
        bitCount = r.u16(at + 10);
        colours = bitCount <= 8 ? 1u << bitCount : 0;
        if (12 + 3 * colours > cbBmi) return QStringLiteral("its bitmap's colour table is cut short");
    } else if (headerSize >= 40 && headerSize <= cbBmi) {
        const qint32 w = r.i32(at + 4), h = r.i32(at + 8);
        if (w <= 0 || h == 0 || h == qint32(0x80000000)) return QStringLiteral("its bitmap has no size");
        width = quint64(w);
        height = quint64(h < 0 ? -qint64(h) : h);
        bitCount = r.u16(at + 14);
        compression = r.u32(at + 16);
        const quint64 used = r.u32(at + 32);
        if (bitCount <= 8 && used > (1u << bitCount))
            return QStringLiteral("its bitmap's colour table is too long");
        colours = used ? used : bitCount <= 8 ? 1u << bitCount : 0;
        const quint64 masks = compression == 3 && headerSize == 40 ? 12 : 0;
        if (headerSize + masks + 4 * colours > cbBmi)
            return QStringLiteral("its bitmap's colour table is cut short");
    } else {
        return QStringLiteral("its bitmap has no header");
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return QStringLiteral("its bitmap has %1 bits a pixel").arg(bitCount);
    if (width * height > kMostBitmapPixels) return QStringLiteral("its bitmap is too large");
    // Uncompressed rows are whole 32-bit words.
    if ((compression == 0 || compression == 3) && (width * bitCount + 31) / 32 * 4 * height > cbBits)
        return QStringLiteral("its bitmap's pixels are cut short");
    return std::nullopt;
}

// The fixed part of each EMF record type, header included; 8 for types with none or unknown.
quint64 EmfFixedSize(quint32 type) {
    switch (type) {
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 41:
        case 56:
        case 73:
        case 74:
        case 85:
        case 86:
        case 87:
        case 88:
        case 89:
        case 92:
            return 28;
        case 7:
        case 8:
        case 23:
        case 35:
        case 44:
        case 71:
        case 90:
        case 91:
        case 93:
        case 94:
            return 32;
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 26:
        case 27:
        case 49:
        case 51:
        case 54:
        case 75:
            return 16;
        case 14:
        case 15:
        case 50:
            return 20;
        case 16:
        case 17:
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
        case 24:
        case 25:
        case 34:
        case 37:
        case 40:
        case 48:
        case 57:
        case 58:
        case 67:
        case 70:
        case 98:
        case 100:
        case 101:
            return 12;
        case 29:
        case 30:
        case 31:
        case 32:
        case 39:
        case 42:
        case 43:
        case 53:
        case 62:
        case 63:
        case 64:
            return 24;
        case 36:
            return 36;
        case 38:
            return 28;
        case 45:
        case 46:
        case 47:
        case 55:
        case 72:
            return 40;
        case 76:
            return 100;
        case 77:
        case 114:
        case 116:
            return 108;
        case 78:
            return 128;
        case 79:
            return 140;
        case 80:
        case 83:
        case 84:
            return 76;
        case 81:
            return 80;
        case 82:
            return 104;
        case 95:
            return 52;
        case 118:
            return 36;
        default:
            return 8;
    }
}

// What a record's counts say it holds beyond its fixed part.
std::optional<QString> EmfRecordProblem(const Reader& r, quint64 at, quint32 type, quint64 size,
                                        quint32 handles) {
    const auto beyond = [&](quint64 needed) -> std::optional<QString> {
        if (needed > size) return QStringLiteral("its counts reach past its end");
        return std::nullopt;
    };
    const auto objectIndex = [&](bool stockAllowed) -> std::optional<QString> {
        const quint32 index = r.u32(at + 8);
        if (stockAllowed && (index & 0x80000000u)) return std::nullopt;
        if (index == 0 || index >= handles)
            return QStringLiteral("it names object %1 of a table of %2").arg(index).arg(handles);
        return std::nullopt;
    };
    switch (type) {
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            return beyond(28 + 8 * quint64(r.u32(at + 24)));
        case 85:
        case 86:
        case 87:
        case 88:
        case 89:
            return beyond(28 + 4 * quint64(r.u32(at + 24)));
        case 56:
            return beyond(28 + 9 * quint64(r.u32(at + 24)));
        case 92:
            return beyond(28 + 5 * quint64(r.u32(at + 24)));
        case 7:
        case 8:
        case 90:
        case 91: {
            const quint64 polygons = r.u32(at + 24), points = r.u32(at + 28);
            if (auto p = beyond(32 + 4 * polygons + (type < 90 ? 8 : 4) * points)) return p;
            quint64 counted = 0;
            for (quint64 i = 0; i < polygons; ++i) counted += r.u32(at + 32 + 4 * i);
            if (counted > points) return QStringLiteral("its polygons count more points than it holds");
            return std::nullopt;
        }
        case 14: {
            const quint64 entries = r.u32(at + 8), offset = r.u32(at + 12);
            return entries ? beyond(offset + 4 * entries) : std::nullopt;
        }
        case 37:
        case 40:
        case 48:
            return objectIndex(true);
        case 38:
        case 39:
        case 82:
        case 99:
        case 122:
            return objectIndex(false);
        case 49:
            if (auto p = objectIndex(false)) return p;
            return beyond(16 + 4 * quint64(r.u16(at + 14)));
        case 50:
            return beyond(20 + 4 * quint64(r.u32(at + 16)));
        case 70: {
            const quint64 data = r.u32(at + 8);
            if (auto p = beyond(12 + data)) return p;
            if (data < 4 || r.u32(at + 12) != 0x2B464D45) return std::nullopt;  // not "EMF+"
            // The EMF+ records the comment carries, each inside it.
            const quint64 end = at + 12 + data;
            for (quint64 p = at + 16; p < end;) {
                if (p + 12 > end) return QStringLiteral("an EMF+ record in it is cut off");
                const quint64 length = r.u32(p + 4), dataSize = r.u32(p + 8);
                if (length < 12 || length % 4 || p + length > end || dataSize > length - 12)
                    return QStringLiteral("an EMF+ record in it has a wrong size");
                p += length;
            }
            return std::nullopt;
        }
        case 71:
        case 72:
        case 73:
        case 74:
        case 75: {
            const quint64 fixed = EmfFixedSize(type);
            const quint64 regionBytes = r.u32(at + (type == 75 ? 8 : 24));
            if (auto p = beyond(fixed + regionBytes)) return p;
            if (regionBytes == 0) return std::nullopt;
            if (regionBytes < 32 || 32 + 16 * quint64(r.u32(at + fixed + 8)) > regionBytes)
                return QStringLiteral("its region's rectangles reach past its end");
            return std::nullopt;
        }
        case 83:
        case 84: {
            const quint64 chars = r.u32(at + 44), offString = r.u32(at + 48), options = r.u32(at + 52),
                          offDx = r.u32(at + 72);
            if (chars == 0) return std::nullopt;
            if (auto p = beyond(offString + chars * (type == 84 ? 2 : 1))) return p;
            return offDx ? beyond(offDx + 4 * chars * ((options & 0x2000) ? 2 : 1)) : std::nullopt;
        }
        case 95:
            if (auto p = objectIndex(false)) return p;
            if (auto p = beyond(52 + 4 * quint64(r.u32(at + 48)))) return p;
            return DibProblem(r, at, size, r.u32(at + 12), r.u32(at + 16), r.u32(at + 20), r.u32(at + 24));
        case 93:
        case 94:
            if (auto p = objectIndex(false)) return p;
            return DibProblem(r, at, size, r.u32(at + 16), r.u32(at + 20), r.u32(at + 24), r.u32(at + 28));
        case 76:
        case 77:
        case 114:
        case 116:
            return DibProblem(r, at, size, r.u32(at + 84), r.u32(at + 88), r.u32(at + 92), r.u32(at + 96));
        case 78:
            if (auto p =
                    DibProblem(r, at, size, r.u32(at + 84), r.u32(at + 88), r.u32(at + 92), r.u32(at + 96)))
                return p;
            return DibProblem(r, at, size, r.u32(at + 112), r.u32(at + 116), r.u32(at + 120),
                              r.u32(at + 124));
        case 79:
            if (auto p = DibProblem(r, at, size, r.u32(at + 96), r.u32(at + 100), r.u32(at + 104),
                                    r.u32(at + 108)))
                return p;
            return DibProblem(r, at, size, r.u32(at + 124), r.u32(at + 128), r.u32(at + 132),
                              r.u32(at + 136));
        case 80:
        case 81:
            return DibProblem(r, at, size, r.u32(at + 48), r.u32(at + 52), r.u32(at + 56), r.u32(at + 60));
        case 118: {
            const quint64 vertices = r.u32(at + 24), shapes = r.u32(at + 28), mode = r.u32(at + 32);
            return beyond(36 + 16 * vertices + shapes * (mode == 2 ? 12 : 8));
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<QString> EmfFramingProblem(const QByteArray& bytes) {
    const Reader r(bytes);
    if (r.size() < 88 || r.u32(0) != 1) return QStringLiteral("the file is too short for its header");
    const quint64 headerSize = r.u32(4), total = r.u32(48), records = r.u32(52);
    const quint32 handles = r.u16(56);
    if (headerSize < 88 || headerSize % 4 || headerSize > r.size())
        return QStringLiteral("its header's size (%1) is wrong").arg(headerSize);
    if (total > r.size())
        return QStringLiteral("the file is cut short: its header counts %1 bytes, the file has %2")
            .arg(total)
            .arg(r.size());
    if (total < headerSize) return QStringLiteral("its header counts %1 bytes, fewer than itself").arg(total);
    if (records < 2 || records > kMostMetafileRecords)
        return QStringLiteral("its header counts %1 records").arg(records);
    if (handles == 0) return QStringLiteral("its header has no object table");
    const quint64 description = r.u32(64), offDescription = r.u32(68);
    if (description && offDescription + 2 * description > headerSize)
        return QStringLiteral("its description lies outside its header");
    if (headerSize >= 100 && r.u32(88) && quint64(r.u32(92)) + r.u32(88) > headerSize)
        return QStringLiteral("its pixel format lies outside its header");

    quint64 at = 0, number = 0;
    bool ended = false;
    while (at < total) {
        ++number;
        if (ended) return Record(number, at) + QStringLiteral(" follows the end record");
        if (number > records)
            return QStringLiteral("the file holds more records than its header counts (%1)").arg(records);
        if (at + 8 > total) return Record(number, at) + QStringLiteral(" is cut off by the end of the file");
        const quint32 type = r.u32(at);
        const quint64 size = r.u32(at + 4);
        if (size < 8 || size % 4) return Record(number, at) + QStringLiteral(" has a size of %1").arg(size);
        if (at + size > total) return Record(number, at) + QStringLiteral(" runs past the end of the file");
        if ((number == 1) != (type == 1)) return Record(number, at) + QStringLiteral(" is out of place");
        if (size < EmfFixedSize(type))
            return Record(number, at) + QStringLiteral(" is too short for its type (%1)").arg(type);
        if (auto problem = EmfRecordProblem(r, at, type, size, handles))
            return Record(number, at) + QStringLiteral(": ") + *problem;
        ended = type == 14;
        at += size;
    }
    if (!ended) return QStringLiteral("the file has no end record");
    if (number != records)
        return QStringLiteral("its header counts %1 records, the file holds %2").arg(records).arg(number);
    return std::nullopt;
}

std::optional<QString> WmfFramingProblem(const QByteArray& bytes) {
    const Reader r(bytes);
    const quint64 base = r.u32(0) == 0x9AC6CDD7 ? 22 : 0;  // the placeable header
    if (r.size() < base + 18) return QStringLiteral("the file is too short for its header");
    if (base && r.u16(14) == 0) return QStringLiteral("its placeable header gives no units to the inch");
    const quint32 headerWords = r.u16(base + 2), objects = r.u16(base + 10);
    if (headerWords != 9) return QStringLiteral("its header's size (%1) is wrong").arg(headerWords);
    // A reader sizes its record buffer by this claim before it reads a record.
    const quint64 largestRecord = 2 * quint64(r.u32(base + 12));
    if (largestRecord > r.size())
        return QStringLiteral("its header's largest record (%1 bytes) is larger than the file").arg(largestRecord);
    quint64 at = base + 18, number = 0;
    while (true) {
        ++number;
        if (number > kMostMetafileRecords) return QStringLiteral("the file holds too many records");
        if (at + 6 > r.size())
            return Record(number, at) + QStringLiteral(" is cut off by the end of the file");
        const quint64 size = 2 * quint64(r.u32(at));
        const quint16 function = r.u16(at + 4);
        if (size < 6) return Record(number, at) + QStringLiteral(" has a size of %1").arg(size);
        if (at + size > r.size())
            return Record(number, at) + QStringLiteral(" runs past the end of the file");
        std::optional<QString> problem;
        const auto beyond = [&](quint64 needed) {
            if (needed > size) problem = QStringLiteral("its counts reach past its end");
        };
        const auto dibAt = [&](quint64 offset) {
            if (offset < size)
                problem = DibProblem(r, at, size, offset, size - offset, offset, size - offset);
        };
        switch (function) {
            case 0x0000:  // the end
                return std::nullopt;
            case 0x012D:
            case 0x01F0:
            case 0x0234:  // select, delete, select palette
                beyond(8);
                if (!problem && r.u16(at + 6) >= objects)
                    problem =
                        QStringLiteral("it names object %1 of a table of %2").arg(r.u16(at + 6)).arg(objects);
                break;
            case 0x0324:
            case 0x0325:  // polygon, polyline
                beyond(8 + 4 * quint64(r.u16(at + 6)));
                break;
            case 0x0538: {  // polypolygon
                const quint64 polygons = r.u16(at + 6);
                beyond(8 + 2 * polygons);
                quint64 points = 0;
                for (quint64 i = 0; !problem && i < polygons; ++i) points += r.u16(at + 8 + 2 * i);
                if (!problem) beyond(8 + 2 * polygons + 4 * points);
                break;
            }
            case 0x0521:  // text out
                beyond(8 + (quint64(r.u16(at + 6)) + 1) / 2 * 2 + 4);
                break;
            case 0x0A32: {  // extended text out
                const quint64 count = r.u16(at + 10), options = r.u16(at + 12);
                beyond(14 + ((options & 0x6) ? 8 : 0) + count);
                break;
            }
            case 0x00F7:  // create palette
                beyond(10 + 4 * quint64(r.u16(at + 8)));
                break;
            case 0x0626:  // escape
                beyond(10 + quint64(r.u16(at + 8)));
                break;
            case 0x0F43:  // stretch DIB
                dibAt(28);
                break;
            case 0x0B41:  // DIB stretch blt; without a bitmap it is 11 words long
                if (size > 22) dibAt(26);
                break;
            case 0x0940:  // DIB bit blt; without a bitmap it is 9 words long
                if (size > 18) dibAt(22);
                break;
            case 0x0142:  // DIB pattern brush
                dibAt(10);
                break;
            case 0x0D33:  // set DIB to device
                dibAt(24);
                break;
            default:
                break;
        }
        if (problem) return Record(number, at) + QStringLiteral(": ") + *problem;
        at += size;
    }
}

}  // namespace natalory
