#include "document/Pictures.h"

#include "document/Metafiles.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QtEndian>

using namespace natalory;
using namespace natalory::test;

namespace {

quint32 Crc32(QByteArrayView bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

QByteArray Chunk(const QByteArray& type, const QByteArray& data) {
    const quint32 length = qToBigEndian(quint32(data.size()));
    const quint32 crc = qToBigEndian(Crc32(type + data));
    return QByteArray(reinterpret_cast<const char*>(&length), 4) + type + data +
           QByteArray(reinterpret_cast<const char*>(&crc), 4);
}

// A small PNG file whose header claims the given size: a decompression bomb.
QByteArray PngClaiming(quint32 width, quint32 height) {
    const quint32 w = qToBigEndian(width), h = qToBigEndian(height);
    const QByteArray header = QByteArray(reinterpret_cast<const char*>(&w), 4) +
                              QByteArray(reinterpret_cast<const char*>(&h), 4) +
                              QByteArray("\x08\x02\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", QByteArray(64, '\0')) +
           Chunk("IEND", {});
}

}  // namespace

TEST(Pictures, BigPicturesAreReadScaledAndBombsRefused) {
    TempProgramFolder folder;
    // A real 7000 x 7000 photograph's worth of pixels, beyond Qt's own cap when decoded whole.
    QImage big(7000, 7000, QImage::Format_Mono);
    big.fill(1);
    ASSERT_TRUE(big.save(folder.file("big.png")));
    QString why;
    const QImage read = LoadPicture(folder.file("big.png"), &why);
    ASSERT_FALSE(read.isNull()) << why.toStdString();
    EXPECT_EQ(read.size(), QSize(4000, 4000));

    QImage wide(9000, 30, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(folder.file("wide.png")));
    EXPECT_EQ(LoadPicture(folder.file("wide.png")).size(), QSize(4000, 13));

    folder.write("bomb.png", PngClaiming(100000, 100000));
    EXPECT_TRUE(LoadPicture(folder.file("bomb.png"), &why).isNull());
    EXPECT_EQ(why, "the picture is too large to use (100000 x 100000 pixels)");

    QImage small(30, 20, QImage::Format_RGB32);
    small.fill(Qt::blue);
    ASSERT_TRUE(small.save(folder.file("small.png")));
    std::shared_ptr<const VectorPicture> drawing;
    EXPECT_EQ(LoadPicture(folder.file("small.png"), &why, &drawing).size(), QSize(30, 20));
    EXPECT_FALSE(drawing);  // a bitmap has no drawing
}

TEST(Pictures, CompressedDrawingsAreInflatedUnderACap) {
    TempProgramFolder folder;
    QString why;
    // 510 KB that would inflate to 512 MB inside the SVG reader.
    EXPECT_TRUE(LoadPicture(QStringLiteral(NATALORY_HOSTILE_DATA "/bomb.svgz"), &why).isNull());
    EXPECT_EQ(why, "the drawing is too large to use (more than 32 MB of SVG)");

    const QByteArray svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
        "<rect width='40' height='20' fill='red'/></svg>";
    QProcess zip;
    zip.start("gzip", {"-c"});
    zip.write(svg);
    zip.closeWriteChannel();
    ASSERT_TRUE(zip.waitForFinished());
    const QByteArray gzip = zip.readAllStandardOutput();
    folder.write("small.svgz", gzip);
    std::shared_ptr<const VectorPicture> vector;
    EXPECT_EQ(LoadPicture(folder.file("small.svgz"), &why, &vector).size(), QSize(40, 20))
        << why.toStdString();
    EXPECT_TRUE(vector);

    for (const QByteArray& damaged : {gzip.left(gzip.size() / 2), gzip.left(12) + QByteArray(40, 'x')}) {
        folder.write("damaged.svgz", damaged);
        EXPECT_TRUE(LoadPicture(folder.file("damaged.svgz"), &why).isNull());
        EXPECT_EQ(why, "the compressed drawing is damaged");
    }
}
