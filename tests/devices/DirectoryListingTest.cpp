#include "devices/DirectoryListing.h"
#include "values/HostFailure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(DirectoryListing, FoldersFirstThenFilesInNameOrderWithoutDotsOrHiddenFiles) {
    QTemporaryDir dir;
    QDir d(dir.path());
    d.mkdir(QStringLiteral("ZED"));
    d.mkdir(QStringLiteral("ALPHA"));
    for (const char* name : {"B.BAS", "A.TXT", ".hidden", "漢字.DAT"}) {
        QFile f(d.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const std::vector<std::u16string> entries = listDirectory(dir.path());
    const std::vector<std::u16string> expected{u"<ALPHA>", u"<ZED>", u"A.TXT", u"B.BAS", u"漢字.DAT"};
    EXPECT_EQ(entries, expected);
    EXPECT_THROW(listDirectory(d.filePath(QStringLiteral("A.TXT"))), HostFailure);
}

TEST(DirectoryListing, ColumnsAreCutOrPaddedInBytesAndLinesLoseTrailingBlanks) {
    const std::vector<std::u16string> entries{u"A", u"漢字.DAT", u"LONGER-THAN-SIXTEEN.TXT",
                                              u"B", u"C",        u"D"};
    EXPECT_EQ(listingLines(entries, 1), entries);
    const std::vector<std::u16string> five = listingLines(entries, 5);
    ASSERT_EQ(five.size(), 2u);
    EXPECT_EQ(five[0], u"A               漢字.DAT        LONGER-THAN-SIXTB               C");
    EXPECT_EQ(five[1], u"D");
    const std::vector<std::u16string> two = listingLines({u"X"}, 2);
    EXPECT_EQ(two, std::vector<std::u16string>{u"X"});
}

} // namespace
} // namespace korvelin::testing
