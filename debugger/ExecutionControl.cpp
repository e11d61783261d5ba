#include "debugger/ExecutionControl.h"

#include "debugger/DebugScreen.h"
#include "editor/EditorWindow.h"
#include "screen/widgets/ExecutionScreenPort.h"
#include "editor/ProgramEditor.h"
#include "help/StatementListWindow.h"
#include "platform/widgets/UserDialogs.h"
#include "interpreter/Interpreter.h"
#include "interpreter/statements/Statements.h"

namespace korvelin {

namespace {

const QString exec = QStringLiteral("menu_exec");
const QString start = QStringLiteral("menu_start");
const QString halt = QStringLiteral("menu_halt");
const QString stop = QStringLiteral("menu_stop");
const QString resume = QStringLiteral("menu_resume");
const QString call = QStringLiteral("menu_call");

const QString startImage = QStringLiteral("開始(&G)");
const QString breakImage = QStringLiteral("中断(&I)");
const QString endImage = QStringLiteral("終了(&H)");
const QString disabledSuffix = QStringLiteral(".D");

constexpr int startButton = 14;
constexpr int breakButton = 15;
constexpr int endButton = 16;

// " n STATEMENTS": a line appended behind the program. Appended piece by
// piece: GCC 12 at -O3 warns (-Wrestrict) about a literal + temporary
// string chain it has inlined.
std::u16string numberedLine(std::int32_t n, std::u16string_view head, std::u16string_view rest = {}) {
    std::u16string text(1, u' ');
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    text += u' ';
    text += head;
    text += rest;
    return text;
}

} // namespace

ExecutionControl::ExecutionControl(Interpreter& interpreter, EditorWindow& editor, DebugScreen& debugScreen,
                                   ExecutionScreenPort& screen, UserDialogs& dialogs)
    : in_(interpreter), editor_(editor), debugScreen_(debugScreen), screen_(screen), dialogs_(dialogs) {
    editor_.setRunCommands(this);
    DebugTextBox* box = debugScreen_.Text1;
    box->keysRefused = [this] { return runState() == RunState::Running; };
    box->beep = [this] { dialogs_.beep(); };
    box->executeLine = [this](const QString& line) {
        ExecuteDirectLine(line);
        debugScreen_.showScreen();
    };
    // The list window's tag follows: its 複 写 inserts where the user works.
    connect(box, &DebugTextBox::focusEntered, this, [this] {
        editor_.state.statementListTarget = QStringLiteral("DEBUG");
        editor_.statementList->Tag = editor_.state.statementListTarget;
    });
    connect(&debugScreen_, &DebugScreen::closed, this, [this] {
        editor_.state.statementListTarget = QStringLiteral("PROG");
        editor_.statementList->Tag = editor_.state.statementListTarget;
    });
    editor_.statementList->setDebugTarget(box);
    connect(box, &DebugTextBox::statementListRequested, this,
            [this, box] { editor_.statementList->showList(QStringLiteral("DEBUG"), box); });
    editor_.setButtonToolTip(startButton, QStringLiteral("実行開始"));
}

RunState ExecutionControl::runState() const {
    return editor_.runStateShown();
}

void ExecutionControl::showRunningState() {
    editor_.setMenuEnabled(halt, true);
    editor_.setMenuEnabled(stop, true);
    editor_.setMenuEnabled(resume, false);
    editor_.setMenuEnabled(exec, false);
    editor_.setMenuEnabled(start, false);
    editor_.setButton(startButton, startImage + disabledSuffix, false);
    editor_.setButton(breakButton, breakImage, true);
    editor_.setButton(endButton, endImage, true);
}

void ExecutionControl::showIdleState() {
    editor_.setMenuEnabled(halt, false);
    editor_.setMenuEnabled(stop, false);
    editor_.setMenuEnabled(resume, false);
    editor_.setMenuEnabled(call, false);
    editor_.setMenuEnabled(exec, true);
    editor_.setMenuEnabled(start, true);
    editor_.setButton(startButton, startImage, true);
    editor_.setButton(breakButton, breakImage + disabledSuffix, false);
    editor_.setButton(endButton, endImage + disabledSuffix, false);
    editor_.setButtonToolTip(startButton, QStringLiteral("実行開始"));
}

void ExecutionControl::runFrom(int slot) {
    if (runDepth_ == 0) endRequested_ = false;
    ++runDepth_;
    in_.runLoop(slot);
    --runDepth_;
}

void ExecutionControl::StartRun() {
    if (runDepth_ > 0) return; // an end request is still being carried out
    showRunningState();
    editor_.setMenuEnabled(call, false);
    in_.prepareProgram(PrepareMode::Full);
    const int first = in_.statements.firstStatement;
    if (first != -1) {
        screen_.runStarting();
        in_.keyboard.keyBuffer.clear();
    }
    runFrom(first);
}

void ExecutionControl::BreakRun() {
    in_.events.eventTarget[EventBreak] = -1;
    in_.events.pendingEvent = EventBreak;
}

void ExecutionControl::ResumeRun() {
    if (in_.events.pendingEvent < EventBreak || in_.control.empty() || runDepth_ > 0) return;
    editor_.setMenuEnabled(halt, true);
    editor_.setMenuEnabled(stop, true);
    editor_.setMenuEnabled(resume, false);
    editor_.setMenuEnabled(call, false);
    editor_.setButton(startButton, startImage + disabledSuffix, false);
    editor_.setButton(breakButton, breakImage, true);
    editor_.setButton(endButton, endImage, true);
    screen_.runResuming();
    in_.keyboard.keyBuffer.clear();
    const int slot = entrySlot(in_.control.top());
    in_.control.pop();
    runFrom(slot);
}

void ExecutionControl::EndRun() {
    const bool atBreak = in_.events.pendingEvent == EventBreak;
    if (atBreak) {
        editor_.setButton(endButton, endImage + disabledSuffix, false);
        editor_.setButtonToolTip(startButton, QStringLiteral("実行開始"));
    }
    // A run waiting for console input ends when it sees this tag.
    screen_.setInputBoxTag(InputBoxTag::Forced);
    endRequested_ = runDepth_ > 0;
    in_.events.eventTarget[EventEndRequest] = -1;
    in_.events.pendingEvent = EventEndRequest;
    // The end button silences the music at once.
    in_.voices.stop();
    editor_.setMenuEnabled(halt, false);
    editor_.setMenuEnabled(call, false);
    editor_.setMenuEnabled(exec, true);
    editor_.setMenuEnabled(start, true);
    editor_.setMenuEnabled(resume, false);
    editor_.state.ToolbarAction = 0;
    if (runDepth_ == 0) {
        // At a break no run loop is there to see the end request: the
        // program ends here, as the run loop would have ended it.
        in_.events.pendingEvent = 0;
        in_.control.controlTop = -1;
        in_.loops.loopTop = -1;
        in_.loops.skipLevel = -1;
        showIdleState();
    }
}

void ExecutionControl::showDebugScreen() {
    debugScreen_.showScreen();
}

void ExecutionControl::resetInterpreter() {
    in_.resetInterpreter();
    if (runDepth_ == 0 && runState() == RunState::Break) showIdleState();
}

void ExecutionControl::runStopped(RunStop stopKind) {
    screen_.runStopped();
    editor_.flushLineNumber();
    if (in_.startMode == StartMode::Interactive) editor_.RichTextBox1->setFocus();
    editor_.setMenuEnabled(stop, false);
    editor_.setButton(startButton, startImage, true);
    editor_.setButton(breakButton, breakImage + disabledSuffix, false);
    if (stopKind == RunStop::Break) {
        editor_.setMenuEnabled(resume, true);
        editor_.setMenuEnabled(call, true);
        editor_.setButtonToolTip(startButton, QStringLiteral("実行再開"));
        return;
    }
    showIdleState();
    // Started from the command line, the application ends with its program.
    if (in_.startMode == StartMode::CommandLine) QMetaObject::invokeMethod(&editor_, "close", Qt::QueuedConnection);
}

void ExecutionControl::appendDirectText(std::u16string text) {
    directText_ = std::move(text);
    in_.prepareProgram(PrepareMode::Append);
}

void ExecutionControl::ExecuteDirectLine(const QString& line) {
    if (runDepth_ > 0) return;
    StatementTable& statements = in_.statements;
    const int lastStatement = statements.lastStatement;
    const std::int32_t highestKey = statements.highestKey;
    const int statementCount = statements.statementCount;

    // The typed statements follow an END that never runs, and two STOPs
    // follow them, all with keys above the program's.
    const std::int32_t lineNumber = highestKey / 100 + 1;
    appendDirectText(numberedLine(lineNumber, u"END:", line.toStdU16String()));
    if (statements.highestKey < lineNumber * 100) return; // reported; the interpreter was reset
    appendDirectText(numberedLine(statements.highestKey / 100 + 1, u"STOP:STOP"));

    statements.highestKey = highestKey;
    statements.statementCount = statementCount;
    statements.lastStatement = lastStatement;
    if (lastStatement >= 0) statements[lastStatement].next = -1;
    statements.chainChanged();

    const bool breakActive = in_.events.pendingEvent == EventBreak;
    const int loopTop = in_.loops.loopTop;
    const int skipLevel = in_.loops.skipLevel;
    const int controlTop = in_.control.controlTop;
    const std::int32_t topEntry = in_.control.empty() ? 0 : in_.control.top();

    showRunningState();
    editor_.setMenuEnabled(call, false);
    screen_.setAutoRedraw(false);
    runFrom(statementCount + 1);

    const bool stoppedAtAppendedStop = !in_.control.empty() &&
                                       entrySlot(in_.control.top()) >= statementCount &&
                                       in_.events.pendingEvent == EventBreak;
    if (!stoppedAtAppendedStop) return; // ended, failed or jumped into the program
    if (breakActive) {
        // The program stays at its break and resumes where it was.
        in_.loops.loopTop = loopTop;
        in_.loops.skipLevel = skipLevel;
        in_.control.controlTop = controlTop;
        if (controlTop >= 0) in_.control.entries[static_cast<std::size_t>(controlTop)] = topEntry;
        return;
    }
    in_.events.pendingEvent = 0;
    in_.control.controlTop = -1;
    in_.loops.loopTop = -1;
    in_.loops.skipLevel = -1;
    showIdleState();
    if (in_.startMode == StartMode::CloseWhenRunEnds) {
        in_.startMode = StartMode::Interactive;
        editor_.close();
    }
}

} // namespace korvelin
