// Whole pictures, looked at once and pinned by the hash of their pixels:
// any change to a drawing rule shows up here.

#include "support/RunProgram.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

// The SHA-1 of the window area's colours, row by row.
std::string pictureHash(ProgramRun& r) {
    const QImage image = r.in->screen.windowImage().convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFFu;
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(&p), 3));
        }
    return hash.result().toHex().toStdString();
}

TEST(PictureHashes, ShapesOfEveryKind) {
    ProgramRun r(u"10 CLS 2\n"
                 u"20 LINE (10,10)-(200,100),2,B: LINE (20,20)-(100,80),4,BF,6\n"
                 u"30 CIRCLE (320,200),80,1: CIRCLE (320,200),60,3,,,0.5,F,5\n"
                 u"40 CIRCLE (500,100),50,7,-0.5,-2.5,,F,2: CIRCLE (500,300),50,6,1,4\n"
                 u"50 LINE (0,399)-(639,0),7: PAINT (150,300),1,7\n"
                 u"60 GET (20,20)-(60,60),A: PUT (200,250),A,XOR: PUT (260,250),A,PSET,,,2,2");
    ASSERT_FALSE(r.failed());
    EXPECT_EQ(pictureHash(r), "fc4ec61fe0d6753fd45c4866f6e9aa542de1bf49");
}

TEST(PictureHashes, TheGraphicsSample) {
    QFile file(QStringLiteral(KORVELIN_DATA_DIR "/samples/GRAPHICS.BAS"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ProgramRun r(QString::fromUtf8(file.readAll()).remove(QLatin1Char('\r')).toStdU16String());
    ASSERT_FALSE(r.failed());
    EXPECT_EQ(pictureHash(r), "19198fece1e00aaef0cbeb313e148136f56a3050");
}

} // namespace
} // namespace korvelin::testing
