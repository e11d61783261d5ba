#include "devices/DiskFile.h"
#include "devices/FileTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace korvelin::testing {
namespace {

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

HostFailureKind failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const HostFailure& failure) {
        return failure.kind();
    }
    return static_cast<HostFailureKind>(-1);
}

TEST(DiskFile, LinesEndAtCrCrLfOrLfAndTheLastNeedsNoEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LINES.TXT"));
    QByteArray bytes = "one\rtwo\r\n\r\nthree\nfour\r\n";
    // The next CR is the last byte of the first read block, its LF the
    // first of the second: the pair ends one line.
    const QByteArray longLine(static_cast<qsizetype>(DiskFile::BufferSize) - bytes.size() - 1, 'x');
    bytes += longLine + "\r\nafter";
    writeFile(path, bytes);
    DiskFile file(path, FileMode::Input);
    std::string line;
    std::vector<std::string> lines;
    while (file.readLine(line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "three");
    EXPECT_EQ(lines[4], "four");
    EXPECT_EQ(lines[5].size(), static_cast<std::size_t>(longLine.size()));
    EXPECT_EQ(lines[6], "after");
}

TEST(DiskFile, PositionsAndLengthCountWhatWasWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OUT.TXT"));
    {
        DiskFile out(path, FileMode::Output);
        out.write("hello\r\n");
        EXPECT_EQ(out.position(), 7);
        EXPECT_EQ(out.length(), 7); // reaches the disk before answering
        EXPECT_EQ(contentsOf(path), "hello\r\n");
        EXPECT_TRUE(out.atEnd());
        out.close();
    }
    {
        DiskFile more(path, FileMode::Append);
        more.write("again");
        EXPECT_EQ(more.position(), 12);
    } // the destructor writes what is buffered
    EXPECT_EQ(contentsOf(path), "hello\r\nagain");
    DiskFile in(path, FileMode::Input);
    std::string bytes;
    EXPECT_EQ(in.read(bytes, 5), 5u);
    EXPECT_EQ(in.position(), 5);
    EXPECT_FALSE(in.atEnd());
    EXPECT_EQ(in.read(bytes, 100), 7u);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(bytes, "hello\r\nagain");
}

TEST(DiskFile, RecordsReadAndWriteAnywhere) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("REC.DAT"));
    DiskFile file(path, FileMode::Random);
    file.writeAt(4, "ABCD");
    EXPECT_EQ(file.length(), 8);
    EXPECT_EQ(file.position(), 8);
    char record[4];
    file.readAt(0, record, 4);
    EXPECT_EQ(std::string(record, 4), std::string(4, '\0'));
    EXPECT_EQ(file.position(), 4);
    EXPECT_EQ(failureOf([&] { file.readAt(8, record, 4); }), HostFailureKind::Other);
    EXPECT_EQ(failureOf([&] { file.readAt(6, record, 4); }), HostFailureKind::Other);
}

TEST(DiskFile, HostRefusalsAreReportedNotSwallowed) {
    QTemporaryDir dir;
    EXPECT_EQ(failureOf([&] { DiskFile(dir.filePath(QStringLiteral("NONE")), FileMode::Input); }),
              HostFailureKind::FileNotFound);
    EXPECT_EQ(failureOf([&] { DiskFile(dir.filePath(QStringLiteral("NO/DIR/X")), FileMode::Output); }),
              HostFailureKind::FileNotFound);
    EXPECT_EQ(failureOf([&] { DiskFile(dir.path(), FileMode::Input); }), HostFailureKind::BadFileName);

    // A full disk.
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        DiskFile full(QStringLiteral("/dev/full"), FileMode::Output);
        full.write("data");
        EXPECT_EQ(failureOf([&] { full.flush(); }), HostFailureKind::DiskFull);
    }

    // A folder removed under an open file: the data would go nowhere.
    const QString folder = dir.filePath(QStringLiteral("GONE"));
    QDir().mkpath(folder);
    DiskFile orphan(folder + QStringLiteral("/X.TXT"), FileMode::Output);
    orphan.write("lost?");
    QDir(folder).removeRecursively();
    EXPECT_EQ(failureOf([&] { orphan.close(); }), HostFailureKind::FileNotFound);

    // A folder the program may not write into (root may write anywhere).
    if (::geteuid() != 0) {
        const QString locked = dir.filePath(QStringLiteral("LOCKED"));
        QDir().mkpath(locked);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(failureOf([&] { DiskFile(locked + QStringLiteral("/X"), FileMode::Output); }),
                  HostFailureKind::PermissionDenied);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

struct TableInFolder {
    QTemporaryDir dir;
    DosPaths paths;
    FileTable table;
    TableInFolder() {
        paths.setDriveRoot(u'E', dir.path());
        paths.setAppDirectory(dir.path());
    }
    QString host(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

TEST(FileTable, CloseWritesThePendingLineAndFreesTheEntry) {
    TableInFolder t;
    t.table.open(1, u"OUT.TXT", FileMode::Output, t.paths);
    FileEntry& e = t.table.entry(1);
    EXPECT_EQ(e.name, u"E:\\OUT.TXT");
    e.lineBuffer = "full";
    e.column = 4;
    t.table.writeLine(e);
    e.lineBuffer = "AB";
    e.column = 2;
    t.table.close(1);
    EXPECT_FALSE(e.isOpen());
    EXPECT_EQ(e.column, 0);
    EXPECT_TRUE(e.lineBuffer.empty());
    EXPECT_EQ(contentsOf(t.host("OUT.TXT")), "full\r\nAB");
    t.table.close(1); // a free entry: nothing happens
    EXPECT_EQ(failureOf([&] { t.table.close(10); }), HostFailureKind::Other);
}

TEST(FileTable, ASecondWriterOfOneFileIsRefusedAndReadersShare) {
    TableInFolder t;
    writeFile(t.host("DATA.TXT"), "1\r\n");
    t.table.open(1, u"DATA.TXT", FileMode::Input, t.paths);
    t.table.open(2, u"data.txt", FileMode::Input, t.paths);
    EXPECT_EQ(failureOf([&] { t.table.open(3, u"E:\\DATA.TXT", FileMode::Output, t.paths); }),
              HostFailureKind::FileAlreadyOpen);
    EXPECT_FALSE(t.table.entry(3).isOpen());
    EXPECT_EQ(contentsOf(t.host("DATA.TXT")), "1\r\n");
    t.table.closeAll();
    EXPECT_FALSE(t.table.entry(1).isOpen());
    EXPECT_FALSE(t.table.entry(2).isOpen());
}

TEST(FileTable, RandomEntriesStartWithABlankRecordAndPrinterNamesLoseTheirColon) {
    TableInFolder t;
    t.table.open(4, u"REC.DAT", FileMode::Random, t.paths);
    EXPECT_EQ(t.table.entry(4).lineBuffer, std::string(255, ' '));
    EXPECT_EQ(t.table.entry(4).mode, u"RANDOM");

    std::u16string openedDevice;
    struct Printer : FileDevice {
        std::string* printed;
        bool* ended;
        void write(std::string_view bytes) override { printed->append(bytes); }
        void close() override { *ended = true; }
    };
    std::string printed;
    bool ended = false;
    t.table.openers.printer = [&](const std::u16string& device, FileMode) {
        openedDevice = device;
        auto p = std::make_unique<Printer>();
        p->printed = &printed;
        p->ended = &ended;
        return p;
    };
    t.table.open(2, u"LPT1:", FileMode::Output, t.paths);
    EXPECT_EQ(openedDevice, u"LPT1");
    EXPECT_EQ(t.table.entry(2).name, u"LPT1");
    t.table.entry(2).lineBuffer = "page";
    t.table.writeLine(t.table.entry(2));
    t.table.close(2);
    EXPECT_EQ(printed, "page\r\n");
    EXPECT_TRUE(ended);
    // A port whose host device does not exist does not open.
    t.table.serial.devices[0] = t.host("NO-SUCH-TTY");
    EXPECT_EQ(failureOf([&] { t.table.open(3, u"COM1:N81NN", FileMode::Random, t.paths); }),
              HostFailureKind::Other);
}

TEST(FileTable, EndOfDataLooksAtTheUnreadRestOfTheLine) {
    TableInFolder t;
    writeFile(t.host("IN.TXT"), "1,2");
    t.table.open(1, u"IN.TXT", FileMode::Input, t.paths);
    FileEntry& e = t.table.entry(1);
    EXPECT_FALSE(t.table.atEndOfData(e));
    t.table.fetchLine(e);
    EXPECT_EQ(e.inputBuffer, "1,2\r\n");
    e.inputBuffer = "2\r\n";
    EXPECT_FALSE(t.table.atEndOfData(e));
    EXPECT_EQ(t.table.fetchWholeLine(e), "2");
    EXPECT_TRUE(t.table.atEndOfData(e));
    EXPECT_THROW(t.table.fetchLine(e), InterpreterError);
}

} // namespace
} // namespace korvelin::testing

namespace korvelin::testing {
namespace {

TEST(FileTable, AnEndlessPendingLineGoesAheadToTheFileAndItsColumnStops) {
    TableInFolder t;
    t.table.open(1, u"LONG.TXT", FileMode::Output, t.paths);
    FileEntry& e = t.table.entry(1);
    const std::string chunk(1000, 'x');
    for (int i = 0; i < 100; ++i)
        t.table.appendPending(e, chunk);
    EXPECT_EQ(e.column, 32767);
    EXPECT_LE(e.lineBuffer.size(), FileTable::MaxPendingBytes);
    t.table.appendPending(e, "end");
    t.table.close(1);
    const QByteArray written = contentsOf(t.host("LONG.TXT"));
    EXPECT_EQ(written.size(), 100003);
    EXPECT_TRUE(written.endsWith("xend"));
}

} // namespace
} // namespace korvelin::testing
