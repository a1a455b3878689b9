#include "document/Metafiles.h"
#include "document/Pictures.h"
#include "output/EmfWriter.h"
#include "output/PrintEngine.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>

using namespace natalory;
using namespace natalory::test;

namespace {

// A placeable WMF, 1000 x 500 logical units at 1440 a inch, holding one outlined rectangle.
QByteArray SmallWmf() {
    QByteArray records;
    QDataStream r(&records, QIODevice::WriteOnly);
    r.setByteOrder(QDataStream::LittleEndian);
    auto record = [&](quint16 function, std::initializer_list<qint16> params) {
        r << quint32(3 + params.size()) << function;
        for (qint16 p : params) r << p;
    };
    record(0x020B, {0, 0});              // window origin
    record(0x020C, {500, 1000});         // window extent
    record(0x041B, {450, 950, 50, 50});  // rectangle: bottom, right, top, left
    record(0x0000, {});                  // end
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint16 placeable[] = {0xCDD7, 0x9AC6, 0, 0, 0, 1000, 500, 1440, 0, 0};
    quint16 checksum = 0;
    for (quint16 w : placeable) {
        s << w;
        checksum ^= w;
    }
    s << checksum;
    s << quint16(1) << quint16(9) << quint16(0x0300) << quint32(9 + records.size() / 2) << quint16(0)
      << quint32(7) << quint16(0);
    out += records;
    return out;
}

int DarkPixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); y += 2)
        for (int x = 0; x < rgb.width(); x += 2) {
            const QRgb p = rgb.pixel(x, y);
            n += qAlpha(p) > 128 && qGray(p) < 100;
        }
    return n;
}

}  // namespace

TEST(Metafiles, AnEmfOfOurOwnAndASmallWmfLoadAsPictures) {
    TempProgramFolder folder;
    PrintEngine engine;
    engine.PageWidth = 2880, engine.PageHeight = 1440;
    engine.StartDoc();
    engine.LineWidth = 3;
    engine.DrawRectangle2(100, 100, 2600, 1200);
    engine.CurrentX = 300, engine.CurrentY = 300, engine.ObjectWidth = 2000, engine.ObjectHeight = 600;
    engine.FontSize = 24;
    engine.Paragraph("Happy Birthday");
    engine.EndDoc();
    const QString emf = folder.file("card.emf");
    ASSERT_TRUE(WriteEmf(engine, emf));

    QString why;
    const QImage fromEmf = LoadPicture(emf, &why);
    ASSERT_FALSE(fromEmf.isNull()) << why.toStdString();
    // Its own size is the page's (2 x 1 inches); its pixels are many more, for print.
    EXPECT_NEAR(fromEmf.deviceIndependentSize().width(), 192, 4);
    EXPECT_NEAR(fromEmf.deviceIndependentSize().height(), 96, 4);
    EXPECT_GT(fromEmf.width(), 192 * 4);
    EXPECT_GT(DarkPixels(fromEmf), 100);

    folder.write("frame.wmf", SmallWmf());
    const QImage fromWmf = LoadPicture(folder.file("frame.wmf"), &why);
    ASSERT_FALSE(fromWmf.isNull()) << why.toStdString();
    EXPECT_GT(DarkPixels(fromWmf), 20);
}

TEST(Metafiles, DamagedOnesAreRefusedWithAReason) {
    TempProgramFolder folder;
    QByteArray wmf = SmallWmf();
    folder.write("cut.wmf", wmf.left(40));
    QString why;
    EXPECT_TRUE(LoadPicture(folder.file("cut.wmf"), &why).isNull());
    EXPECT_FALSE(why.isEmpty());

    QByteArray emf(88, '\0');  // a header that claims a file far longer than it is
    emf[0] = 1;
    emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
    emf[48] = char(0xFF), emf[49] = char(0xFF);
    folder.write("cut.emf", emf);
    EXPECT_TRUE(LoadPicture(folder.file("cut.emf"), &why).isNull());
    EXPECT_EQ(DetectMetafile(QByteArray("\x89PNG\r\n\x1a\n0000000000")), MetafileKind::None);
}
