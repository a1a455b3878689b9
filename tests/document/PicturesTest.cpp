#include "document/Pictures.h"

#include "document/Metafiles.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

using namespace natalory;
using namespace natalory::test;

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

    // A decompression bomb: a few bytes whose header claims nine hundred million pixels.
    folder.write("bomb.ppm", "P6\n30000 30000\n255\n" + QByteArray(64, '\0'));
    EXPECT_TRUE(LoadPicture(folder.file("bomb.ppm"), &why).isNull());
    EXPECT_EQ(why, "the picture is too large to use (30000 x 30000 pixels)");
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
