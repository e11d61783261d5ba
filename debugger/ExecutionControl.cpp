#include "debugger/ExecutionControl.h"

#include "debugger/DebugScreen.h"
#include "editor/EditorWindow.h"
#include "editor/ProgramEditor.h"
#include "editor/StatementHighlight.h"
#include "help/StatementListWindow.h"
#include "interpreter/Interpreter.h"
#include "interpreter/statements/Statements.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/widgets/ExecutionScreenPort.h"

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

bool ExecutionControl::runLoopActive() const {
    return in_.runLoopActive();
}

bool ExecutionControl::endRequested() const {
    return in_.session.endRequested;
}

RunState ExecutionControl::runState() const {
    return editor_.runStateShown();
}

void ExecutionControl::showRunningState() {
    editor_.clearStopMark();
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

void ExecutionControl::StartRun() {
    if (in_.runLoopActive()) return; // an end request is still being carried out
    showRunningState();
    editor_.setMenuEnabled(call, false);
    in_.prepareProgram(PrepareMode::Full);
    const int first = in_.statements.firstStatement;
    if (first != -1) {
        screen_.runStarting();
        in_.keyboard.keyBuffer.clear();
    }
    in_.runLoop(first);
}

void ExecutionControl::BreakRun() {
    in_.requestBreak();
}

void ExecutionControl::ResumeRun() {
    if (!in_.canResume()) return;
    editor_.setMenuEnabled(halt, true);
    editor_.setMenuEnabled(stop, true);
    editor_.setMenuEnabled(resume, false);
    editor_.setMenuEnabled(call, false);
    editor_.setButton(startButton, startImage + disabledSuffix, false);
    editor_.setButton(breakButton, breakImage, true);
    editor_.setButton(endButton, endImage, true);
    editor_.clearStopMark();
    screen_.runResuming();
    in_.keyboard.keyBuffer.clear();
    in_.resumeRun();
}

void ExecutionControl::EndRun() {
    if (in_.events.pendingEvent == EventBreak) {
        editor_.setButton(endButton, endImage + disabledSuffix, false);
        editor_.setButtonToolTip(startButton, QStringLiteral("実行開始"));
    }
    // A run waiting for console input ends when it sees this tag.
    screen_.setInputBoxTag(InputBoxTag::Forced);
    // The end button silences the music at once.
    in_.voices.stop();
    editor_.setMenuEnabled(halt, false);
    editor_.setMenuEnabled(call, false);
    editor_.setMenuEnabled(exec, true);
    editor_.setMenuEnabled(start, true);
    editor_.setMenuEnabled(resume, false);
    editor_.state.ToolbarAction = 0;
    in_.requestEnd();
}

void ExecutionControl::showDebugScreen() {
    debugScreen_.showScreen();
}

void ExecutionControl::resetInterpreter() {
    in_.resetInterpreter();
    if (!in_.runLoopActive() && runState() == RunState::Break) showIdleState();
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
        markBreakLine();
        return;
    }
    showIdleState();
    // Started from the command line, the application ends with its program.
    if (in_.startMode == StartMode::CommandLine)
        QMetaObject::invokeMethod(&editor_, "close", Qt::QueuedConnection);
}

void ExecutionControl::markBreakLine() {
    // The statement the program resumes at, when it is one of the program's.
    if (in_.control.empty()) return;
    const int slot = entrySlot(in_.control.top());
    if (slot < 0 || slot >= StatementSlots || !in_.isProgramStatement(slot)) return;
    const StatementSlot& s = in_.statements[slot];
    editor_.markStop(s.lineOffset + s.column, StopMark::Break);
}

void ExecutionControl::ExecuteDirectLine(const QString& line) {
    if (in_.runLoopActive()) return;
    directLineActive_ = true;
    if (in_.prepareDirectLine(line.toStdU16String())) {
        showRunningState();
        editor_.setMenuEnabled(call, false);
        screen_.setAutoRedraw(false);
        in_.runDirectLine();
    }
    directLineActive_ = false;
}

} // namespace korvelin
