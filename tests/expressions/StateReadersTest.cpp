#include "FunctionEval.h"

#include "devices/DiskFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(StateReaders, ErrAndErlReadTheLastError) {
    FunctionEval f;
    EXPECT_EQ(f.num(u"ERR"), 0);
    EXPECT_EQ(f.kind(u"ERL"), ValueKind::Integer);
    ProgramRun run(u"10 ON ERROR GOTO 100\n"
                   u"20 X = SQR(-1)\n"
                   u"30 END\n"
                   u"100 E = ERR: L = ERL: RESUME NEXT");
    EXPECT_EQ(run.num(u"E!"), 5);
    EXPECT_EQ(run.num(u"L!"), 20);
    ProgramRun far(u"10 ON ERROR GOTO 100\n"
                   u"40000 X = 1 / 0\n"
                   u"40001 END\n"
                   u"100 L = ERL: RESUME NEXT");
    EXPECT_EQ(far.num(u"L!"), 40000);
}

TEST(StateReaders, DateAndTimeReadTheInterpreterClock) {
    FunctionEval f;
    f.in->clock.setDate(u"26/12/07");
    EXPECT_EQ(f.text(u"DATE$"), u"26/12/07");
    f.in->clock.setTime(u"13:05:09");
    const QString time = QString::fromStdU16String(f.text(u"TIME$"));
    EXPECT_TRUE(QRegularExpression(u"^13:05:\\d\\d$"_qs).match(time).hasMatch()) << time.toStdString();
    EXPECT_EQ(f.text(u"DATE$ + \"!\""), u"26/12/07!");
}

TEST(StateReaders, MouseReadsTheStateAsStored) {
    FunctionEval f;
    KeyboardState& m = f.in->keyboard;
    m.mouseX = 10.5f;
    m.mouseY = 20;
    m.buttonDownX = {0, 1.5f, 2.5f};
    m.buttonDownY = {0, 3, 4};
    m.buttonUpX = {0, 5.5f, 6.5f};
    m.buttonUpY = {0, 7, 8};
    EXPECT_EQ(f.kind(u"MOUSE(0)"), ValueKind::Single);
    EXPECT_EQ(f.num(u"MOUSE(0)"), 10.5);
    EXPECT_EQ(f.kind(u"MOUSE(1)"), ValueKind::Integer);
    EXPECT_EQ(f.num(u"MOUSE(1)"), 20);
    EXPECT_EQ(f.num(u"MOUSE(4, 1)"), 1.5);
    EXPECT_EQ(f.num(u"MOUSE(4, 2)"), 2.5);
    EXPECT_EQ(f.num(u"MOUSE(5, 2)"), 4);
    EXPECT_EQ(f.num(u"MOUSE(7, 1)"), 5.5);
    EXPECT_EQ(f.num(u"MOUSE(8, 2)"), 8);
    EXPECT_EQ(f.num(u"MOUSE(4)"), 0); // entry 0, never written
    for (auto k : {u"2", u"3", u"6", u"9"})
        EXPECT_EQ(f.num(u"MOUSE(" + std::u16string(k) + u")"), 0);
    EXPECT_EQ(f.error(u"MOUSE(10)"), 5);
    EXPECT_EQ(f.error(u"MOUSE(-1)"), 5);
    EXPECT_EQ(f.error(u"MOUSE(4, 3)"), 5);
    EXPECT_EQ(f.error(u"MOUSE(0, 0)"), 5);
    EXPECT_EQ(f.error(u"MOUSE 0"), 1);
    EXPECT_EQ(f.error(u"MOUSE(0"), 1);
    ProgramRun run(u"10 X = MOUSE(1) + 1");
    EXPECT_FALSE(run.failed());
    EXPECT_EQ(run.num(u"X!"), 1);
}

TEST(KeyboardInput, InkeyTakesOneCharacterWithoutWaiting) {
    FunctionEval f;
    EXPECT_EQ(f.text(u"INKEY$"), u"");
    EXPECT_EQ(f.host.waits, 0);
    f.in->keyboard.keyBuffer = u"a漢";
    EXPECT_EQ(f.text(u"INKEY$"), u"a");
    EXPECT_EQ(f.text(u"INKEY$"), u"漢");
    EXPECT_EQ(f.text(u"INKEY$"), u"");
    // Hosts without key events (batch mode) are asked for one key at a time.
    f.host.pendingKeys = u"xy";
    EXPECT_EQ(f.text(u"INKEY$"), u"x");
    EXPECT_EQ(f.host.pendingKeys, u"y");
    EXPECT_EQ(f.host.waits, 0);
}

TEST(KeyboardInput, InputCountsBytesAndWaitsForThem) {
    FunctionEval f;
    f.in->keyboard.keyBuffer = u"abcd";
    EXPECT_EQ(f.text(u"INPUT$(3)"), u"abc");
    EXPECT_EQ(f.in->keyboard.keyBuffer, u"d");
    EXPECT_EQ(f.host.waits, 0);

    f.in->keyboard.keyBuffer.clear();
    f.host.keystrokes = {u"a", u"漢"}; // a full-width key counts two bytes
    EXPECT_EQ(f.text(u"INPUT$(3)"), u"a漢");
    EXPECT_EQ(f.host.waits, 2);
    EXPECT_EQ(f.in->events.pendingEvent, 0);
}

TEST(KeyboardInput, InputCutsADoubleByteKeyAndKeepsTheRest) {
    FunctionEval f;
    f.in->keyboard.keyBuffer = u"漢字";
    EXPECT_EQ(f.text(u"INPUT$(2)"), u"漢");
    EXPECT_EQ(f.in->keyboard.keyBuffer, u"字");
    EXPECT_EQ(f.text(u"INPUT$(1) + INPUT$(1)"), u"字");
    EXPECT_TRUE(f.in->keyboard.keyBuffer.empty());
}

TEST(KeyboardInput, EndRequestWhileWaitingPadsWithBlanks) {
    FunctionEval f;
    f.host.keystrokes = {u"a"}; // then the run is asked to end
    EXPECT_EQ(f.text(u"INPUT$(3)"), u"a  ");
    EXPECT_EQ(f.in->events.pendingEvent, EventEndRequest);
    EXPECT_EQ(f.host.waits, 2);
    EXPECT_TRUE(f.in->keyboard.keyBuffer.empty());
}

TEST(KeyboardInput, ArgumentErrors) {
    FunctionEval f;
    EXPECT_EQ(f.error(u"INPUT$(0)"), 5);
    EXPECT_EQ(f.error(u"INPUT$(-1)"), 5);
    EXPECT_EQ(f.error(u"INPUT$(1, 1)"), 1);
    EXPECT_EQ(f.error(u"INPUT$(1; 1)"), 1);
    EXPECT_EQ(f.error(u"INPUT$ 1"), 1);
}

// A disk file behind a file number, as OPEN leaves it.
FileEntry& openFile(FunctionEval& f, int number, const QByteArray& contents,
                    const char16_t* mode = u"INPUT") {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("DATA%1.TXT").arg(number));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    FileEntry& e = f.in->files.entry(number);
    e.name = u"C:\\DATA.TXT";
    e.mode = mode;
    e.device = std::make_unique<DiskFile>(path, FileMode::Input);
    return e;
}

// A port that has received nothing beyond what the entry holds.
class SilentPort : public FileDevice {
  public:
    void write(std::string_view) override {}
};

TEST(FileReaders, InputFromAFileTakesTheLineRestFirst) {
    FunctionEval f;
    FileEntry& file = openFile(f, 1, "XYZ");
    file.inputBuffer = "2\r\n";
    EXPECT_EQ(f.bytes(u"INPUT$(2, #1)"), "2\r");
    EXPECT_EQ(f.bytes(u"INPUT$(3, #1)"), "\nXY");
    EXPECT_TRUE(file.inputBuffer.empty());
    EXPECT_EQ(f.error(u"INPUT$(2, #1)"), 55);
    EXPECT_EQ(f.bytes(u"INPUT$(1, #1)"), "Z");
    EXPECT_EQ(f.error(u"INPUT$(1, #1)"), 55);
}

TEST(FileReaders, InputFileNumberChecks) {
    FunctionEval f;
    EXPECT_EQ(f.error(u"INPUT$(1, #2)"), 60);
    EXPECT_EQ(f.error(u"INPUT$(1, #10)"), 52);
    EXPECT_EQ(f.error(u"INPUT$(1, #0)"), 52);
    openFile(f, 2, "A");
    EXPECT_EQ(f.error(u"INPUT$(1, #2"), 1);
    EXPECT_EQ(f.text(u"INPUT$(1, #1 + 1)"), u"A");
    // An entry an earlier run left open has no file behind it.
    f.in->files.entry(3).name = u"/tmp/OLD.TXT";
    EXPECT_EQ(f.error(u"INPUT$(1, #3)"), 21);
}

TEST(FileReaders, EofLocAndLofOfADiskFile) {
    FunctionEval f;
    FileEntry& file = openFile(f, 1, QByteArray(300, 'x'));
    EXPECT_EQ(f.num(u"EOF(1)"), 0);
    EXPECT_EQ(f.kind(u"EOF(1)"), ValueKind::Integer);
    EXPECT_EQ(f.num(u"LOF(1)"), 300);
    EXPECT_EQ(f.kind(u"LOF(1)"), ValueKind::Long);
    EXPECT_EQ(f.num(u"LOC(1)"), 0);
    std::string sink;
    file.device->read(sink, 260);
    file.inputBuffer = "rest\r\n";
    EXPECT_EQ(f.num(u"LOC(1)"), 2);
    file.device->read(sink, 40);
    // The unread rest of a line is still data; blanks and line ends are not.
    EXPECT_EQ(f.num(u"EOF(1)"), 0);
    file.inputBuffer = " \r\n";
    EXPECT_EQ(f.num(u"EOF(1)"), -1);
    file.mode = u"RANDOM";
    EXPECT_EQ(f.num(u"LOC(1)"), 300);
}

TEST(FileReaders, FreeOrOutOfRangeNumbersAreHostErrors) {
    FunctionEval f;
    EXPECT_EQ(f.error(u"EOF(3)"), 21);
    EXPECT_EQ(f.error(u"LOC(3)"), 21);
    EXPECT_EQ(f.error(u"LOF(3)"), 21);
    EXPECT_EQ(f.error(u"EOF(10)"), 21);
    EXPECT_EQ(f.error(u"LOF(-1)"), 21);
    EXPECT_EQ(f.error(u"EOF(0)"), 21);
}

TEST(FileReaders, SerialPortCountsWhatHasArrived) {
    FunctionEval f;
    FileEntry& port = f.in->files.entry(1);
    port.name = u"COM1:N81NN";
    port.mode = u"RANDOM";
    port.device = std::make_unique<SilentPort>();
    port.inputBuffer = "abc";
    EXPECT_EQ(f.num(u"LOC(1)"), 3);
    EXPECT_EQ(f.num(u"LOF(1)"), 3);
    EXPECT_EQ(f.num(u"EOF(1)"), 0);
    EXPECT_EQ(f.text(u"INPUT$(3, #1)"), u"abc");
    EXPECT_EQ(f.num(u"EOF(1)"), -1);
    EXPECT_EQ(f.num(u"LOC(1)"), 0);

    // Received text arrives while INPUT$ waits; a stop request ends the wait.
    port.inputBuffer = "ab";
    EXPECT_EQ(f.text(u"INPUT$(5, #1)"), u"ab   ");
    EXPECT_EQ(f.in->events.pendingEvent, EventEndRequest);
    EXPECT_TRUE(port.inputBuffer.empty());
}

} // namespace
} // namespace korvelin::testing
