// The execution window against running programs: keys, the console line
// editor, traps, the mouse, and the window's size.

#include "screen/widgets/ExecutionScreen.h"
#include "support/EditorHarness.h"
#include "values/Cp932.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace korvelin::testing {
namespace {

// Steps played against a running program: each action runs once its
// condition holds. A run that outlives the script by far is ended, so a
// failing test cannot hang.
class Script {
  public:
    using Condition = std::function<bool()>;
    using Action = std::function<void()>;

    explicit Script(EditorHarness& h) : h_(h) {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
    }
    Script& when(Condition condition, Action action) {
        steps_.push_back({std::move(condition), std::move(action)});
        return *this;
    }
    // Runs the program; returns whether every step was played.
    bool run() {
        clock_.start();
        timer_.start();
        h_.run();
        timer_.stop();
        return next_ == steps_.size();
    }

  private:
    void step() {
        if (clock_.elapsed() > 5000) {
            h_.editor().menu_halt_Click();
            return;
        }
        if (next_ < steps_.size() && steps_[next_].first()) steps_[next_++].second();
    }
    EditorHarness& h_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::vector<std::pair<Condition, Action>> steps_;
    std::size_t next_ = 0;
};

ExecutionScreen& windowOf(EditorHarness& h) {
    return dynamic_cast<ExecutionScreen&>(h.session->screen);
}

std::u16string text(EditorHarness& h, std::u16string_view name) {
    Interpreter& in = h.in();
    const int id = in.words.intern(name);
    for (const VariableEntry& e : in.variables.variableTable) {
        if (e.nameId == id && e.isScalar()) {
            in.variables.subscriptRegister = {-1, -1, -1, -1, -1};
            in.variables.watchEvaluation = true;
            const std::int32_t slot = in.variables.lookupVariable(id, LookupMode::Reference);
            in.variables.watchEvaluation = false;
            return in.variables[slot].unicodeText();
        }
    }
    return u"<none>";
}

void typeLine(ExecutionScreen& w, const QString& line) {
    QTest::keyClicks(w.Text2, line);
    QTest::keyClick(w.Text2, Qt::Key_Return);
}

Script::Condition waitingWithTag(ExecutionScreen& w, InputBoxTag tag) {
    return [&w, tag] { return w.Text2->isVisible() && w.inputBoxTag() == tag; };
}

Script::Condition always() {
    return [] { return true; };
}

TEST(ConsoleInput, TwoNumbersAreAcceptedAndOneAloneIsRejectedUntilRetyped) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 INPUT \"AB\";A,B\n20 C=A+B\n"));
    Script script(h);
    script.when(waitingWithTag(w, InputBoxTag::Typing), [&] { typeLine(w, QStringLiteral("1")); })
        .when(waitingWithTag(w, InputBoxTag::Rejected),
              [&] {
                  EXPECT_EQ(w.Text2->text(), QString());
                  typeLine(w, QStringLiteral("1,2,3"));
              })
        .when(waitingWithTag(w, InputBoxTag::Rejected), [&] { typeLine(w, QStringLiteral("1,2")); });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"C!"), 3);
    ASSERT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_EQ(h.lastMessage(), QStringLiteral("入力に誤りがあります。"));
    EXPECT_FALSE(w.Text2->isVisible());
}

TEST(ConsoleInput, AWordForANumberIsRejectedInsteadOfKeepingAnOldValue) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 INPUT A\n20 INPUT A\n"));
    Script script(h);
    script.when(waitingWithTag(w, InputBoxTag::Typing), [&] { typeLine(w, QStringLiteral("-5")); })
        .when(waitingWithTag(w, InputBoxTag::Typing), [&] { typeLine(w, QStringLiteral("ABC")); })
        .when(waitingWithTag(w, InputBoxTag::Rejected), [&] {
            EXPECT_EQ(h.number(u"A!"), -5);
            typeLine(w, QStringLiteral("6"));
        });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"A!"), 6);
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
}

TEST(ConsoleInput, StringItemsLoseTheirBlanksAndLineInputKeepsTheComma) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 INPUT A$\n20 LINE INPUT \"L\",B$\n"));
    Script script(h);
    script.when(waitingWithTag(w, InputBoxTag::Typing), [&] { typeLine(w, QStringLiteral(" Hello , x")); })
        .when(waitingWithTag(w, InputBoxTag::Rejected), [&] { typeLine(w, QStringLiteral("  Hello  ")); })
        .when(waitingWithTag(w, InputBoxTag::Typing), [&] { typeLine(w, QStringLiteral("a, b  ")); });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(text(h, u"A$"), u"Hello");
    EXPECT_EQ(text(h, u"B$"), u"a, b");
}

TEST(ConsoleInput, FunctionKeysTypeTheirTextAndACarriageReturnEntersTheLine) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 KEY 2,\"12\"+CHR$(13)+\"99\": KEY 3,\"4\"\n20 INPUT A\n"));
    Script script(h);
    script.when(waitingWithTag(w, InputBoxTag::Typing), [&] {
        QTest::keyClick(w.Text2, Qt::Key_F3);
        QTest::keyClick(w.Text2, Qt::Key_F2);
    });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"A!"), 412);
}

TEST(ConsoleInput, KeysGivenToTheWindowReachTheWaitingLineEditor) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 INPUT A\n"));
    Script script(h);
    script.when(waitingWithTag(w, InputBoxTag::Typing), [&] {
        // Up is a key the line editor ignores: it must not come back to it.
        QTest::keyClick(&w, Qt::Key_Up);
        QTest::keyClick(&w, Qt::Key_5);
        QTest::keyClick(&w, Qt::Key_Return);
    });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"A!"), 5);
    EXPECT_TRUE(h.in().keyboard.keyBuffer.empty());
}

TEST(ConsoleInput, TheEchoOnTheLastConsoleRowScrollsTheConsole) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 CLS: LOCATE 0,24: INPUT A\n20 R=CSRLIN\n"));
    Script script(h);
    script.when(waitingWithTag(w, InputBoxTag::Typing), [&] {
        EXPECT_EQ(w.Text2->pos(), QPoint(16, 24 * 16)); // just after "? "
        typeLine(w, QStringLiteral("7"));
    });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"A!"), 7);
    EXPECT_EQ(h.number(u"R!"), 24);
    // "? 7" moved up from the last row to the one above it.
    const QImage& page = h.in().screen.page(0);
    auto rowInked = [&](int row) {
        for (int y = row * 16; y < row * 16 + 16; ++y)
            for (int x = 0; x < 24; ++x)
                if ((page.pixel(x, y) & 0xFFFFFF) != 0) return true;
        return false;
    };
    EXPECT_TRUE(rowInked(23));
    EXPECT_FALSE(rowInked(24));
}

TEST(Keyboard, SpecialKeysAndTypedCharactersFillTheKeyBuffer) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 A$=INPUT$(8)\n"));
    Script script(h);
    script.when(always(), [&] {
        QTest::keyClick(&w, Qt::Key_Left);
        QTest::keyClick(&w, Qt::Key_Down);
        QTest::keyClick(&w, Qt::Key_Delete);
        QTest::keyClick(&w, Qt::Key_PageUp);
        QTest::keyClick(&w, Qt::Key_A);
        QTest::keyClick(&w, Qt::Key_End); // no HELP trap: character 1
        QTest::keyClick(&w, Qt::Key_Tab);
        QTest::keyClick(&w, Qt::Key_Return);
    });
    ASSERT_TRUE(script.run());
    // Bytes: page up (&HF9) is a lead byte and pairs with the "a" after it.
    EXPECT_EQ(cp932::encode(text(h, u"A$")), std::string("\x1D\x1F\x7F\xF9"
                                                         "a\x01\t\r"));
}

TEST(Keyboard, AProgramPollingInkeyForAKeyNapsUntilTheKeyComes) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 C=C+1: A$=INKEY$: IF A$=\"\" THEN 10\n"));
    QElapsedTimer clock;
    double before = 0;
    double during = 0;
    Script script(h);
    script.when([&] { return clock.elapsed() > 150; }, [&] { before = h.number(u"C!"); })
        .when([&] { return clock.elapsed() > 350; },
              [&] {
                  during = h.number(u"C!") - before;
                  QTest::keyClick(&w, Qt::Key_Q);
              });
    clock.start();
    ASSERT_TRUE(script.run());
    EXPECT_EQ(text(h, u"A$"), u"q");
    // Spinning would poll hundreds of thousands of times in 200 ms; the
    // script's own 2 ms timer wakes the naps now and then.
    EXPECT_LT(during, 2000);
}

TEST(Keyboard, AnEscapeFollowsF10WhetherItsTrapFiresOrNot) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 KEY 10,\"z\": ON KEY GOSUB ,,,,,,,,,100: R=1\n"
                          "20 A$=INPUT$(2): KEY(10) ON: R=2\n"
                          "30 IF T=0 THEN 30\n"
                          "40 B$=INPUT$(1): END\n"
                          "100 T=T+1: RETURN\n"));
    Script script(h);
    script.when([&] { return h.number(u"R!") == 1; }, [&] { QTest::keyClick(&w, Qt::Key_F10); })
        .when([&] { return h.number(u"R!") == 2; }, [&] { QTest::keyClick(&w, Qt::Key_F10); });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(text(h, u"A$"), u"z\x1b");
    EXPECT_EQ(text(h, u"B$"), u"\x1b");
    EXPECT_EQ(h.number(u"T!"), 1);
}

TEST(Keyboard, TypedKanjiFromAnInputMethodArriveAsCharacters) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 A$=INPUT$(4)\n"));
    Script script(h);
    script.when(always(), [&] {
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("漢ｶ"));
        QApplication::sendEvent(&w, &commit);
        QTest::keyClick(&w, Qt::Key_B);
    });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(text(h, u"A$"), u"漢ｶb");
}

TEST(Traps, FunctionKeysCallTheirHandlersOrTypeTheirText) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 ON KEY GOSUB 100,,300\n"
                          "20 KEY(1) ON: KEY(2) ON: KEY(3) ON: KEY 2,\"xy\": R=1\n"
                          "30 IF T<2 THEN 30\n"
                          "40 A$=INPUT$(2): END\n"
                          "100 T=T+1: P=P*10+1: RETURN\n"
                          "300 T=T+1: P=P*10+3: RETURN\n"));
    Script script(h);
    script.when([&] { return h.number(u"R!") == 1; }, [&] { QTest::keyClick(&w, Qt::Key_F1); })
        .when([&] { return h.number(u"T!") == 1; },
              [&] {
                  QTest::keyClick(&w, Qt::Key_F2);
                  QTest::keyClick(&w, Qt::Key_F3);
              });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"P!"), 13);
    EXPECT_EQ(text(h, u"A$"), u"xy");
}

TEST(Traps, AStoppedKeyTrapForgetsTheKeyAndTheHelpKeyTrapFires) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 ON KEY GOSUB ,,300: KEY(3) STOP: ON HELP GOSUB 400: HELP ON\n"
                          "20 A$=INPUT$(1)\n"
                          "30 KEY(3) ON: IF H=0 THEN 30\n"
                          "40 END\n"
                          "300 C=1: RETURN\n"
                          "400 H=H+1: RETURN\n"));
    Script script(h);
    script.when(always(), [&] {
        QTest::keyClick(&w, Qt::Key_F3);
        QTest::keyClick(&w, Qt::Key_X);
    });
    script.when([&] { return h.in().events.eventState[3] == TrapState::On; },
                [&] { QTest::keyClick(&w, Qt::Key_End); });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"C!"), -9999); // the handler never ran
    EXPECT_EQ(h.number(u"H!"), 1);
    EXPECT_EQ(text(h, u"A$"), u"x");
}

TEST(Mouse, AButtonTrapSeesWhereTheButtonWentDownAndTheMiddleButtonIsIgnored) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 ON MOUSE(2) GOSUB 100: MOUSE(2) ON: R=1\n"
                          "20 IF F=0 THEN 20\n"
                          "30 X0=MOUSE(0): Y0=MOUSE(1): UX=MOUSE(7,2): UY=MOUSE(8,2): END\n"
                          "100 X=MOUSE(4,1): Y=MOUSE(5,1): F=1: RETURN\n"));
    Script script(h);
    script.when([&] { return h.number(u"R!") == 1; },
                [&] {
                    QTest::mouseRelease(&w, Qt::RightButton, {}, QPoint(30, 40));
                    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(100, 50));
                    QTest::mousePress(&w, Qt::MiddleButton, {}, QPoint(7, 8));
                });
    ASSERT_TRUE(script.run());
    EXPECT_EQ(h.number(u"X!"), 100);
    EXPECT_EQ(h.number(u"Y!"), 50);
    EXPECT_EQ(h.number(u"X0!"), 100);
    EXPECT_EQ(h.number(u"Y0!"), 50);
    EXPECT_EQ(h.number(u"UX!"), 30);
    EXPECT_EQ(h.number(u"UY!"), 40);
}

TEST(Mouse, KeysAndTheMouseAreIgnoredWhileNoProgramRuns) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    QTest::keyClick(&w, Qt::Key_A);
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(10, 20));
    EXPECT_TRUE(h.in().keyboard.keyBuffer.empty());
    EXPECT_EQ(h.in().keyboard.buttonDownX[1], 0);
}

TEST(WindowSize, WidthResizesTheWindowAndKeepsItsSizeAfterTheRun) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 WIDTH 40,25\n"));
    h.run();
    EXPECT_EQ(w.size(), QSize(320, 400));
    h.type(QStringLiteral("10 WIDTH 80,-25\n"));
    h.run();
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(640, 500));
    EXPECT_EQ(h.in().screen.rowHeight, 20);
}

TEST(WindowSize, AUserSizedWindowSnapsToWholeCells) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    w.resize(700, 410);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(704, 416));
    ScreenState& s = h.in().screen;
    EXPECT_EQ(s.textColumns, 88);
    EXPECT_EQ(s.pageHeightUnits, 26);
    EXPECT_EQ(s.consoleLines, 26); // the console covered the whole screen
    EXPECT_EQ(s.windowImage().size(), QSize(704, 416));
}

TEST(WindowSize, TheWindowShowsTheDisplayPageAndKeepsThePictureAfterTheRun) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    h.type(QStringLiteral("10 COLOR 2: PRINT \"HELLO\"\n"));
    h.run();
    // Cleared by hand afterwards, the page no longer shows: the window
    // keeps its own picture until the next run.
    h.in().screen.clearPage(0, 0);
    const QImage shown = w.grab().toImage();
    int red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 40; ++x)
            if (shown.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
    EXPECT_GT(red, 10);
}

TEST(Closing, ClosingTheExecutionWindowHidesItAndEndsTheApplication) {
    EditorHarness h;
    ExecutionScreen& w = windowOf(h);
    QSignalSpy closed(&h.editor(), &EditorWindow::editorClosed);
    EXPECT_TRUE(w.isVisible());
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

} // namespace
} // namespace korvelin::testing

namespace korvelin::testing {
namespace {

TEST(CommandLineMode, TheProgramRunsInTheExecutionWindowAndTheApplicationEndsWithIt) {
    QTemporaryDir folder;
    {
        QFile file(folder.path() + QStringLiteral("/ask.bas"));
        file.open(QIODevice::WriteOnly);
        file.write("10 PRINT COMMAND$\r\n20 INPUT N\r\n30 PRINT N*2\r\n");
    }
    ScriptedDialogs dialogs;
    EditorSession session(folder.path() + QLatin1Char('/'), &dialogs);
    auto& w = dynamic_cast<ExecutionScreen&>(session.screen);
    QSignalSpy closed(&session.editor, &EditorWindow::editorClosed);
    bool shownAlone = false;
    QTimer typer;
    QObject::connect(&typer, &QTimer::timeout, [&] {
        if (!w.Text2->isVisible()) return;
        typer.stop();
        shownAlone = w.isVisible() && !session.editor.isVisible();
        QTest::keyClicks(w.Text2, QStringLiteral("21"));
        QTest::keyClick(w.Text2, Qt::Key_Return);
    });
    typer.start(2);
    session.start(folder.path() + QStringLiteral("/ask  -v  x"));
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_TRUE(shownAlone);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Korvelin (ASK.BAS)"));
    EXPECT_EQ(session.interpreter.commandTail, u"-v  x");
    EXPECT_FALSE(w.isVisible());
    // What the program printed: its tail, the echo, and the doubled number.
    const QImage picture = session.interpreter.screen.windowImage();
    auto rowInked = [&](int row) {
        for (int y = row * 16; y < row * 16 + 16; ++y)
            for (int x = 0; x < 40; ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) != 0) return true;
        return false;
    };
    EXPECT_TRUE(rowInked(0));
    EXPECT_TRUE(rowInked(1));
    EXPECT_TRUE(rowInked(2));
    EXPECT_FALSE(rowInked(3));
}

} // namespace
} // namespace korvelin::testing
