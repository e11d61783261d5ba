// The serial port through a real pseudo-terminal pair made by socat: the
// interpreter talks to one end, the test plays the device on the other.
// Skipped when socat is not installed.

#include "devices/SerialSettings.h"
#include "devices/VoiceQueue.h"
#include "support/RunProgram.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace korvelin::testing {
namespace {

TEST(SerialSettings, SettingsTextLettersAndTheirDefaults) {
    SerialPortSettings s;
    EXPECT_EQ(s.settingsText(), u"COM1:N81N");
    EXPECT_EQ(s.portSettingsString(), QStringLiteral("9600,N,8,1"));
    s.applySettingsText(u"COM1:E71X");
    EXPECT_EQ(s.parity, 1);
    EXPECT_EQ(s.dataBits, 0);
    EXPECT_EQ(s.stopBits, 0);
    EXPECT_EQ(s.flowControl, 1);
    EXPECT_EQ(s.portSettingsString(), QStringLiteral("9600,E,7,1"));
    s.applySettingsText(u"COM2:N83D");
    EXPECT_EQ(s.portIndex, 1);
    EXPECT_EQ(s.stopBits, 2); // "3" is two stop bits, "2" one and a half
    EXPECT_EQ(s.settingsText(), u"COM2:N83D");
    s.applySettingsText(u"COM2:O?"); // missing or unknown letters change nothing
    EXPECT_EQ(s.settingsText(), u"COM2:O83D");
    s.applySpeedText(QStringLiteral("19200"));
    EXPECT_EQ(s.portSettingsString(), QStringLiteral("19200,O,8,2"));
    s.applySpeedText(QStringLiteral("300"));
    EXPECT_EQ(s.speedText(), QStringLiteral("9600"));
}

// A pseudo-terminal pair: the interpreter's COM1 is end A, the test holds B.
struct PortPair {
    QTemporaryDir dir;
    QProcess socat;
    QString a, b;
    int peer = -1;

    bool start() {
        if (QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty()) return false;
        a = dir.filePath(QStringLiteral("A"));
        b = dir.filePath(QStringLiteral("B"));
        socat.start(QStringLiteral("socat"),
                    {QStringLiteral("pty,raw,echo=0,link=") + a, QStringLiteral("pty,raw,echo=0,link=") + b});
        for (int i = 0; i < 200 && !(QFileInfo::exists(a) && QFileInfo::exists(b)); ++i)
            QThread::msleep(10);
        if (!QFileInfo::exists(b)) return false;
        peer = ::open(QFile::encodeName(b).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY);
        return peer >= 0;
    }
    ~PortPair() {
        if (peer >= 0) ::close(peer);
        socat.kill();
        socat.waitForFinished();
    }
    std::string received() {
        std::string all;
        char buffer[256];
        for (ssize_t n; (n = ::read(peer, buffer, sizeof buffer)) > 0;)
            all.append(buffer, static_cast<std::size_t>(n));
        return all;
    }
    void send(std::string_view bytes) {
        ASSERT_EQ(::write(peer, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
};

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "devices_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return app ? *app : *QCoreApplication::instance();
}

// A run whose window system is the test: each event pass lets Qt deliver
// the port's data and lets the device answer; a run that never finishes
// is ended after `patience` passes.
struct SerialRun : ProgramRun {
    PortPair pair;
    std::string heard;
    std::function<void(SerialRun&)> device;
    long patience = 3000;

    bool start() {
        application();
        if (!pair.start()) return false;
        in->files.serial.devices[0] = pair.a;
        host.onEvents = [this] {
            QThread::msleep(1);
            QCoreApplication::processEvents();
            heard += pair.received();
            if (device) device(*this);
            if (--patience == 0) in->events.pendingEvent = EventEndRequest;
        };
        return true;
    }
};

TEST(SerialPort, AProgramSendsLinesAndReadsRepliesByteForByte) {
    SerialRun r;
    if (!r.start()) GTEST_SKIP() << "socat is not available";
    bool answered = false;
    r.device = [&](SerialRun& run) {
        if (!answered && run.heard.find("HELLO\r\n") != std::string::npos) {
            run.pair.send("WORLD\r\n\x82\xa0\x80\xffZZ");
            answered = true;
        }
    };
    r.run(u"10 OPEN \"COM1:E71N\" AS #1\n"
          u"20 PRINT #1, \"HEL\";: PRINT #1, \"LO\"\n"
          u"30 LINE INPUT #1, R$\n"
          u"40 A$ = INPUT$(4, #1)\n"
          u"50 X = LOC(1): Y = LOF(1): E = EOF(1): B$ = INPUT$(2, #1): F = EOF(1)\n"
          u"60 CLOSE #1");
    EXPECT_FALSE(r.failed()) << std::string(r.lastError().begin(), r.lastError().end());
    EXPECT_EQ(r.heard, "HELLO\r\n");
    EXPECT_EQ(r.str(u"R$"), u"WORLD");
    EXPECT_EQ(r.var(u"A$").byteForm(), std::string("\x82\xa0\x80\xff"));
    EXPECT_EQ(r.num(u"X!"), 2);
    EXPECT_EQ(r.num(u"Y!"), 2);
    EXPECT_EQ(r.num(u"E!"), 0);
    EXPECT_EQ(r.str(u"B$"), u"ZZ");
    EXPECT_EQ(r.num(u"F!"), -1);
    EXPECT_EQ(r.in->files.serial.settingsText(), u"COM1:E71N");
    EXPECT_FALSE(r.in->files.entry(1).isOpen());
}

TEST(SerialPort, DataArrivingWhileTheProgramLoopsFiresTheComTrap) {
    SerialRun r;
    if (!r.start()) GTEST_SKIP() << "socat is not available";
    int passes = 0;
    r.device = [&](SerialRun& run) {
        if (++passes == 50) run.pair.send("PING\r\n");
    };
    r.run(u"10 ON COM GOSUB 100: COM ON\n"
          u"20 OPEN \"COM:\" AS #1\n"
          u"30 IF N = 0 THEN 30\n"
          u"40 CLOSE: END\n"
          u"100 LINE INPUT #1, L$: N = N + 1: RETURN");
    EXPECT_FALSE(r.failed()) << std::string(r.lastError().begin(), r.lastError().end());
    EXPECT_EQ(r.str(u"L$"), u"PING");
    EXPECT_EQ(r.num(u"N!"), 1);
}

TEST(SerialPort, ABusyPortAMissingOneAndOneThatVanishesAreErrorsNotHangs) {
    SerialRun first;
    if (!first.start()) GTEST_SKIP() << "socat is not available";
    first.run(u"10 OPEN \"COM1:\" AS #1: STOP");
    ASSERT_TRUE(first.in->files.entry(1).isOpen());

    SerialRun second;
    ASSERT_TRUE(second.start());
    second.in->files.serial.devices[0] = first.pair.a;
    second.run(u"10 OPEN \"COM1:\" AS #1");
    EXPECT_EQ(second.errorNumber(), 21);
    second.run(u"10 OPEN \"COM4:\" AS #1"); // no such device here
    EXPECT_EQ(second.errorNumber(), 21);

    // The device goes away while the program waits for it.
    int passes = 0;
    first.device = [&](SerialRun& run) {
        if (++passes == 20) {
            run.pair.socat.kill();
            run.pair.socat.waitForFinished();
        }
    };
    first.resume(); // the run ends and the port is released
    EXPECT_FALSE(first.in->files.entry(1).isOpen());
    first.run(u"10 OPEN \"COM1:\" AS #1: A$ = INPUT$(1, #1)");
    EXPECT_EQ(first.errorNumber(), 21);
    EXPECT_GT(first.patience, 0); // ended by the error, not by running out of patience
    EXPECT_FALSE(first.in->files.entry(1).isOpen());
}

// Counts the beeps; music is not expected.
struct BeepCounter : SoundOutput {
    int beeps = 0;
    void play(std::vector<Tone>) override { ADD_FAILURE() << "music on a port test"; }
    void beep() override { ++beeps; }
    void stop() override {}
};

// A device the port layer cannot open for a reason of its own (a folder):
// no error, a warning naming the port; each text sent is dropped with a
// beep; reading from it cannot wait for data that will never come.
TEST(SerialPort, APortThatDoesNotOpenWarnsBeepsForWhatIsSentAndCannotBeRead) {
    application();
    QTemporaryDir notAPort;
    ProgramRun r;
    BeepCounter speaker;
    r.in->voices.setOutput(&speaker);
    r.in->files.serial.devices[1] = notAPort.path();
    r.run(u"10 OPEN \"COM2:E\" AS #1: N = 1\n"
          u"20 PRINT #1, \"AB\";: PRINT #1, \"CD\": WRITE #1, 1, \"E\"\n"
          u"30 N = 2: L = LOC(1): E = EOF(1)\n"
          u"40 A$ = INPUT$(1, #1)");
    ASSERT_EQ(r.host.warningBoxes.size(), 1u);
    EXPECT_EQ(r.host.warningBoxes[0], u"COM2: 接続に失敗しました。");
    EXPECT_EQ(speaker.beeps, 3);
    EXPECT_EQ(r.num(u"N!"), 2);
    EXPECT_EQ(r.num(u"L!"), 0);
    EXPECT_EQ(r.num(u"E!"), -1);
    EXPECT_EQ(r.errorNumber(), 21);
    EXPECT_EQ(r.in->files.serial.settingsText(), u"COM2:E81N");
    r.run(u"10 OPEN \"COM2:\" AS #2: CLOSE #2: OPEN \"COM2:\" AS #2: CLOSE");
    EXPECT_EQ(r.host.errorBoxes.size(), 1u); // only the reader's error of the first run
    EXPECT_EQ(r.host.warningBoxes.size(), 3u);
    EXPECT_FALSE(r.in->files.entry(2).isOpen());
    r.in->voices.setOutput(nullptr);
}

} // namespace
} // namespace korvelin::testing
