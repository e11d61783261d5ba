// The window's program document: the text in the interpreter's form, the
// caret, and the file commands (new, open, add, save, save as, drops).

#include "editor/EditorWindow.h"

#include "editor/ProgramEditor.h"
#include "editor/RunCommands.h"
#include "interpreter/Interpreter.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/widgets/ExecutionScreenPort.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBlock>

namespace korvelin {

namespace {

const QString notFoundMessage = QStringLiteral("ファイルが見つかりません。");
const QString openTitle = QStringLiteral("ファイルのオープン");
const QString saveTitle = QStringLiteral("名前を付けてファイルを保存");

} // namespace

QString EditorWindow::programFilter() {
    // The dialog shows the text; "(*.BAS)" is the pattern (matched without regard to case).
    return QStringLiteral("BASICﾌﾟﾛｸﾞﾗﾑ(*.BAS)");
}

// --- the program text ---

std::u16string EditorWindow::programText() const {
    return withCrLf(RichTextBox1->toPlainText());
}

void EditorWindow::fileMessage(const QString& text, const QString& path) {
    // The specified text, and below it the host path it is about.
    dialogs_.setDetail(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    dialogs_.message(isVisible() ? static_cast<QWidget*>(this) : screen_.window(), QMessageBox::Warning,
                     text);
    dialogs_.setDetail({});
}

void EditorWindow::setProgramText(const QString& text) {
    clearStopMark();
    RichTextBox1->setPlainText(text);
    RichTextBox1->document()->setModified(false);
}

bool EditorWindow::isModified() const {
    return RichTextBox1->document()->isModified();
}

void EditorWindow::placeCaret(int offset) {
    const QString text = RichTextBox1->toPlainText();
    QTextCursor cursor = RichTextBox1->textCursor();
    cursor.setPosition(documentPosition(text, offset));
    RichTextBox1->setTextCursor(cursor);
    RichTextBox1->ensureCursorVisible();
    if (isHidden()) show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    RichTextBox1->setFocus();
}

int EditorWindow::caretCrlfOffset() const {
    return crlfOffset(RichTextBox1->toPlainText(), RichTextBox1->textCursor().position());
}

void EditorWindow::setCaption(const QString& name) {
    setWindowTitle(QStringLiteral("Korvelin (") + name + QLatin1Char(')'));
}

void EditorWindow::rememberDirectory(const QString& path) {
    state.CurrentDirectory = directoryOf(path);
    // Host folders are all reached through drive C.
    state.DriveDirectories[static_cast<std::size_t>('C' - 'A')] = state.CurrentDirectory;
    // RUN, CHAIN and the file statements resolve names from here.
    interpreter_.paths.setProgramFolder(state.CurrentDirectory);
}

bool EditorWindow::loadProgramFile(const QString& path) {
    const QString existing = findExistingFile(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<ProgramFileText> file = readProgramFile(existing);
    QApplication::restoreOverrideCursor();
    if (!file) {
        fileMessage(notFoundMessage, existing);
        return false;
    }
    setProgramText(file->text);
    state.encoding = file->encoding;
    fileLoaded(existing);
    state.CurrentProgramPath = existing;
    state.CurrentProgramName = programNameOf(existing);
    const QString caption = QStringLiteral("Korvelin (") + state.CurrentProgramName + QLatin1Char(')');
    if (interpreter_.startMode == StartMode::Interactive)
        setWindowTitle(caption);
    else
        screen_.setCaption(caption);
    setMenuEnabled(QStringLiteral("menu_save"), true);
    return true;
}

bool EditorWindow::confirmDiscard() {
    if (interpreter_.startMode != StartMode::Interactive || !isModified()) return true;
    switch (dialogs_.askToSave(this, QStringLiteral("プログラムが変更されています。\n保存しますか？"))) {
    case SaveAnswer::Yes:
        menu_save_Click();
        return !isModified(); // a cancelled or failed save keeps the text
    case SaveAnswer::No: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

bool EditorWindow::saveTo(const QString& path) {
    const QString text = RichTextBox1->toPlainText();
    if (state.encoding == ProgramEncoding::Cp932 && !cp932Holds(text)) {
        // Never a silent "?" for a character Shift-JIS lacks: UTF-8 or nothing
        // (with its mark, so that text without Japanese reads back as UTF-8).
        const SaveAnswer answer = dialogs_.askToSave(
            this, QStringLiteral("シフトJISで保存できない文字があります。\nUTF-8で保存しますか？"));
        if (answer != SaveAnswer::Yes) return false;
        state.encoding = ProgramEncoding::Utf8WithBom;
    }
    if (!writeProgramFile(path, text, state.encoding)) {
        fileMessage(QStringLiteral("ファイルに書き込みできません。"), path);
        return false;
    }
    RichTextBox1->document()->setModified(false);
    fileSaved(path);
    return true;
}

void EditorWindow::openProgram(const QString& path) {
    state.CurrentProgramPath = path;
    rememberDirectory(path);
    loadProgramFile(path);
    if (runCommands_)
        runCommands_->resetInterpreter();
    else
        interpreter_.resetInterpreter();
}

// --- file commands ---

void EditorWindow::menu_new_Click() {
    // New, Open, Add and drops would pull the program away under the run loop.
    if (programRunning()) return dialogs_.beep();
    if (!confirmDiscard()) return;
    setProgramText(QString());
    setCaption(QStringLiteral("プログラム"));
    state.CurrentProgramPath.clear();
    state.CurrentProgramName.clear();
    state.encoding = ProgramEncoding::Cp932;
    rememberDirectory(state.AppDirectory + QStringLiteral("x"));
    setMenuEnabled(QStringLiteral("menu_save"), false);
    if (runCommands_)
        runCommands_->resetInterpreter();
    else
        interpreter_.resetInterpreter();
}

void EditorWindow::menu_open_Click() {
    if (programRunning()) return dialogs_.beep();
    if (!confirmDiscard()) return;
    const QString chosen = dialogs_.openFileName(this, openTitle, programFilter(), state.CurrentDirectory,
                                                 state.CurrentProgramName);
    if (chosen.isEmpty()) return;
    openProgram(withBasExtension(chosen));
}

void EditorWindow::menu_add_Click() {
    if (programRunning()) return dialogs_.beep();
    const QString chosen = dialogs_.openFileName(this, openTitle, programFilter(), state.CurrentDirectory,
                                                 state.CurrentProgramName);
    if (chosen.isEmpty()) return;
    // The program keeps its own file: saving after an addition must not
    // write the merged text over the file that was added.
    const QString path = findExistingFile(withExtensionWhenMissing(chosen));
    const std::optional<ProgramFileText> file = readProgramFile(path);
    if (!file) {
        fileMessage(notFoundMessage, path);
        return;
    }
    QTextCursor cursor = RichTextBox1->textCursor();
    const QTextBlock line = cursor.block();
    QString insertion = file->text;
    if (line.next().isValid()) {
        cursor.setPosition(line.next().position());
    } else {
        cursor.movePosition(QTextCursor::End);
        if (!line.text().isEmpty()) insertion.prepend(QLatin1Char('\n'));
    }
    cursor.insertText(insertion);
    RichTextBox1->setTextCursor(cursor);
}

void EditorWindow::menu_save_Click() {
    if (state.CurrentProgramPath.isEmpty()) {
        menu_name_Click();
        return;
    }
    saveTo(state.CurrentProgramPath);
}

void EditorWindow::menu_name_Click() {
    if (RichTextBox1->document()->isEmpty()) return;
    ProgramEncoding encoding = state.encoding;
    dialogs_.saveEncoding = &encoding;
    const QString chosen = dialogs_.saveFileName(this, saveTitle, programFilter(), state.CurrentDirectory,
                                                 state.CurrentProgramName);
    dialogs_.saveEncoding = nullptr;
    if (chosen.isEmpty()) return;
    const ProgramEncoding before = state.encoding;
    state.encoding = encoding;
    const QString path = withExtensionWhenMissing(upperCasedFileName(chosen));
    // The dialog asked about the name it returned; a different final name
    // that exists must not be replaced without asking.
    if ((path != chosen && QFileInfo::exists(path) && !dialogs_.confirmOverwrite(this, path)) ||
        !saveTo(path)) {
        state.encoding = before;
        return;
    }
    state.CurrentProgramPath = path;
    state.CurrentProgramName = programNameOf(path);
    rememberDirectory(path);
    setCaption(state.CurrentProgramName);
    setMenuEnabled(QStringLiteral("menu_save"), true);
}

void EditorWindow::RichTextBox1_FileDropped(const QString& path) {
    if (programRunning()) return dialogs_.beep();
    if (!confirmDiscard()) return;
    state.CurrentProgramPath = path;
    rememberDirectory(path);
    const bool loaded = loadProgramFile(path);
    if (runCommands_)
        runCommands_->resetInterpreter();
    else
        interpreter_.resetInterpreter();
    if (loaded) screen_.setCaption(QStringLiteral("Korvelin (実行画面)"));
    activateWindow();
    RichTextBox1->setFocus();
}

} // namespace korvelin
