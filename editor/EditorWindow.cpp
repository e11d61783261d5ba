#include "editor/EditorWindow.h"

#include "platform/Settings.h"
#include "screen/widgets/ExecutionScreenPort.h"
#include "editor/ProgramEditor.h"
#include "editor/RunCommands.h"
#include "platform/widgets/UserDialogs.h"
#include "interpreter/Interpreter.h"
#include "platform/widgets/SystemPrinter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaMethod>
#include <QTextBlock>
#include <QToolBar>

namespace korvelin {

namespace {

struct MenuItemSpec {
    const char* name;
    const char16_t* caption;
};

struct MenuSpec {
    const char* name;
    const char16_t* caption;
    std::vector<MenuItemSpec> items;
};

const std::vector<MenuSpec>& menuTable() {
    static const std::vector<MenuSpec> table = {
        {"menu1",
         u"ﾌｧｲﾙ(&F)",
         {{"menu_new", u"新規プログラム(&N)"},
          {"menu_open", u"プログラムの読込み(&O)"},
          {"menu_add", u"プログラムの追加読込み(&A)"},
          {"menu_save", u"プログラムの保存(&S)"},
          {"menu_name", u"名前を付けてプログラムを保存(&E)"},
          {"menu_print", u"印刷(&P)"},
          {"menu_exec", u"実行(&G)"},
          {"menu_end", u"Korvelinの終了(&Q)"}}},
        {"menu2",
         u"編集(&E)",
         {{"menu_cut", u"切り取り(&X)"},
          {"menu_copy", u"コピー(&C)"},
          {"menu_paste", u"貼り付け(&V)"},
          {"menu_find", u"文字列の検索(&F)"},
          {"menu_replace", u"文字列の置換(&R)"},
          {"menu_sort", u"行番号の並べ替え(&S)"},
          {"menu_renum", u"行番号の付け直し(&N)"},
          {"menu_auto", u"行番号の自動生成(&A)"}}},
        {"menu3",
         u"表示(&V)",
         {{"menu_disp", u"実行画面表示(&P)"},
          {"menu_clear", u"実行画面ｸﾘｱ(&C)"},
          {"menu_debug", u"ﾃﾞﾊﾞｯｸﾞ画面表示(&D)"},
          {"menu_list", u"命令一覧表示(&L)"},
          {"menu_inst", u"命令ｶｳﾝﾀ表示(&I)"}}},
        {"menu4",
         u"実行(&R)",
         {{"menu_start", u"開始(&G)"},
          {"menu_halt", u"終了(&H)"},
          {"menu_stop", u"中断(&I)"},
          {"menu_resume", u"再開(&R)"}}},
        {"menu5",
         u"ﾃﾞﾊﾞｯｸﾞ(&D)",
         {{"menu_wadd", u"ウォッチ式の追加(&A)"},
          {"menu_wdelete", u"ウォッチ式の削除(&D)"},
          {"menu_wedit", u"ウォッチ式の編集(&E)"},
          {"menu_call", u"コール ヒストリ(&C)"}}},
        {"menu6",
         u"ｵﾌﾟｼｮﾝ(&O)",
         {{"menu_setprn", u"ﾌﾟﾘﾝﾀの設定(&P)"},
          {"menu_setpfont", u"ﾌﾟﾘﾝﾀﾌｫﾝﾄの設定(&F)"},
          {"menu_setrs", u"RS-232Cの設定(&R)"}}},
        {"menu7", u"ﾍﾙﾌﾟ(&H)", {{"menu_help", u"ﾍﾙﾌﾟの表示(&H)"}, {"menu_version", u"ﾊﾞｰｼﾞｮﾝ情報(&A)"}}},
    };
    return table;
}

// Toolbar buttons: number, action, the menu item whose handler performs it
// (and whose caption is the image key), a tool-tip.
struct ButtonSpec {
    int number;
    int action;
    const char* menuName;
    const char16_t* imageKey;
    const char16_t* toolTip;
};

const std::vector<ButtonSpec>& buttonTable() {
    static const std::vector<ButtonSpec> table = {
        {1, 1, "menu_new", u"新規プログラム(&N)", u"新規プログラム"},
        {2, 2, "menu_open", u"プログラムの読込み(&O)", u"プログラムの読込み"},
        {3, 3, "menu_save", u"プログラムの保存(&S)", u"プログラムの保存"},
        {5, 4, "menu_print", u"印刷(&P)", u"印刷"},
        {6, 5, "menu_setprn", u"ﾌﾟﾘﾝﾀの設定(&P)", u"実行画面の印刷"},
        {7, 6, "menu_debug", u"ﾃﾞﾊﾞｯｸﾞ画面表示(&D)", u"デバッグ画面表示"},
        {8, 7, "menu_list", u"命令一覧表示(&L)", u"命令一覧表示"},
        {10, 8, "menu_cut", u"切り取り(&X)", u"切り取り"},
        {11, 9, "menu_copy", u"コピー(&C)", u"コピー"},
        {12, 10, "menu_paste", u"貼り付け(&V)", u"貼り付け"},
        {14, 11, "menu_exec", u"開始(&G)", u"実行開始"},
        {15, 12, "menu_stop", u"中断(&I).D", u"中断"},
        {16, 13, "menu_halt", u"終了(&H).D", u"終了"},
        {18, 14, "menu_sort", u"行番号の並べ替え(&S)", u"行番号の並べ替え"},
        {19, 15, "menu_renum", u"行番号の付け直し(&N)", u"行番号の付け直し"},
        {20, 16, "menu_auto", u"行番号の自動生成(&A)", u"行番号の自動生成"},
        {22, 17, "menu_help", u"ﾍﾙﾌﾟの表示(&H)", u"ヘルプの表示"},
    };
    return table;
}

constexpr int lineNumberIntervalMs = 40; // at most 25 updates a second
const QString notFoundMessage = QStringLiteral("ファイルが見つかりません。");
const QString openTitle = QStringLiteral("ファイルのオープン");
const QString saveTitle = QStringLiteral("名前を付けてファイルを保存");

bool invokeHandler(QObject* target, const QString& menuName) {
    const QByteArray slot = (menuName + QStringLiteral("_Click")).toLatin1();
    return QMetaObject::invokeMethod(target, slot.constData(), Qt::DirectConnection);
}

} // namespace

QString EditorWindow::programFilter() {
    // The dialog shows the text; "(*.BAS)" is the pattern (matched without regard to case).
    return QStringLiteral("BASICﾌﾟﾛｸﾞﾗﾑ(*.BAS)");
}

EditorWindow::EditorWindow(Interpreter& interpreter, UserDialogs& dialogs, ExecutionScreenPort& screen,
                           Settings& settings, QWidget* parent)
    : QMainWindow(parent), interpreter_(interpreter), dialogs_(dialogs), screen_(screen),
      settings_(settings) {
    setObjectName(QStringLiteral("EditorWindow"));
    RichTextBox1 = new ProgramEditor(this);
    setCentralWidget(RichTextBox1);
    buildMenus();
    buildToolbar();
    setCaption(QStringLiteral("プログラム"));
    resize(720, 560);

    connect(RichTextBox1, &ProgramEditor::cutRequested, this, &EditorWindow::menu_cut_Click);
    connect(RichTextBox1, &ProgramEditor::pasteRequested, this, &EditorWindow::menu_paste_Click);
    connect(RichTextBox1, &ProgramEditor::statementListRequested, this, [this] {
        state.statementListTarget = QStringLiteral("PROG");
        if (menuAvailable(QStringLiteral("menu_list"))) invokeHandler(this, QStringLiteral("menu_list"));
    });
    connect(RichTextBox1, &ProgramEditor::fileDropped, this, &EditorWindow::RichTextBox1_FileDropped);
    RichTextBox1->enterHandler = [this] {
        // Automatic numbering belongs to the line tools; without them the
        // key goes on to the control.
        return false;
    };

    for (const char* name : {"menu_save", "menu_halt", "menu_stop", "menu_resume", "menu_call"})
        setMenuEnabled(QString::fromLatin1(name), false);
    lineNumberTimer_.start();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::setAppDirectory(const QString& directory) {
    state.AppDirectory = directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
    for (int letter = 0; letter < 26; ++letter)
        state.DriveDirectories[static_cast<std::size_t>(letter)] =
            QString(QChar(u'A' + letter)) + QStringLiteral(":\\");
    rememberDirectory(state.AppDirectory + QStringLiteral("x"));
}

void EditorWindow::buildMenus() {
    for (const MenuSpec& menuSpec : menuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf16(menuSpec.caption));
        menu->setObjectName(QString::fromLatin1(menuSpec.name));
        for (const MenuItemSpec& item : menuSpec.items) {
            const QString name = QString::fromLatin1(item.name);
            const QString caption = QString::fromUtf16(item.caption);
            QAction* action = menu->addAction(ImageList1.icon(caption), caption);
            action->setObjectName(name);
            action->setIconVisibleInMenu(true);
            const QByteArray signature = (name + QStringLiteral("_Click()")).toLatin1();
            const bool available = metaObject()->indexOfSlot(signature.constData()) >= 0;
            menuAvailable_[name] = available;
            menuItems_[name] = action;
            action->setEnabled(available);
            if (name == QLatin1String("menu_inst") || name == QLatin1String("menu_auto"))
                action->setCheckable(true);
            connect(action, &QAction::triggered, this, [this, name] { invokeHandler(this, name); });
        }
    }
}

void EditorWindow::buildToolbar() {
    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(ImageList::imageSize, ImageList::imageSize));
    for (int number = 1; number <= toolbarButtonCount; ++number) {
        const auto spec = std::find_if(buttonTable().begin(), buttonTable().end(),
                                       [number](const ButtonSpec& b) { return b.number == number; });
        if (spec == buttonTable().end()) {
            Toolbar1->addSeparator();
            continue;
        }
        Button& button = buttons_[static_cast<std::size_t>(number)];
        button.toolbarAction = spec->action;
        button.action = Toolbar1->addAction(QString::fromUtf16(spec->toolTip));
        button.action->setObjectName(QStringLiteral("Toolbar1_%1").arg(number));
        button.action->setToolTip(QString::fromUtf16(spec->toolTip));
        const QString menuName = QString::fromLatin1(spec->menuName);
        const bool available = menuAvailable(menuName);
        const QString imageKey = QString::fromUtf16(spec->imageKey);
        // Buttons whose feature is not built yet stay greyed out.
        setButton(number,
                  available                                 ? imageKey
                  : imageKey.endsWith(QStringLiteral(".D")) ? imageKey
                                                            : imageKey + QStringLiteral(".D"),
                  available && !imageKey.endsWith(QStringLiteral(".D")));
        connect(button.action, &QAction::triggered, this, [this, number] { Toolbar1_ButtonClick(number); });
    }
    auto* spacer = new QWidget(Toolbar1);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    Toolbar1->addWidget(spacer);
    Text2 = new QLineEdit(Toolbar1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setAlignment(Qt::AlignRight);
    Text2->setFont(RichTextBox1->font());
    Text2->setFixedWidth(QFontMetrics(RichTextBox1->font()).horizontalAdvance(QStringLiteral("0000000")) +
                         12);
    QAction* indicator = Toolbar1->addWidget(Text2);
    indicator->setVisible(false);
    connect(menuItem(QStringLiteral("menu_inst")), &QAction::toggled, indicator, &QAction::setVisible);
}

QAction* EditorWindow::menuItem(const QString& name) const {
    const auto found = menuItems_.find(name);
    return found == menuItems_.end() ? nullptr : found->second;
}

bool EditorWindow::menuAvailable(const QString& name) const {
    const auto found = menuAvailable_.find(name);
    return found != menuAvailable_.end() && found->second;
}

void EditorWindow::setMenuEnabled(const QString& name, bool enabled) {
    if (QAction* action = menuItem(name)) action->setEnabled(enabled && menuAvailable(name));
}

bool EditorWindow::menuEnabled(const QString& name) const {
    const QAction* action = menuItem(name);
    return action && action->isEnabled();
}

QStringList EditorWindow::menuNames() const {
    QStringList names;
    for (const MenuSpec& menu : menuTable())
        for (const MenuItemSpec& item : menu.items)
            names << QString::fromLatin1(item.name);
    return names;
}

bool EditorWindow::isSeparator(int number) const {
    return number < 1 || number > toolbarButtonCount || !buttons_[static_cast<std::size_t>(number)].action;
}

void EditorWindow::setButton(int number, const QString& imageKey, bool enabled) {
    if (isSeparator(number)) return;
    Button& button = buttons_[static_cast<std::size_t>(number)];
    button.imageKey = imageKey;
    button.action->setIcon(ImageList1.icon(imageKey));
    button.action->setEnabled(enabled);
}

void EditorWindow::setButtonToolTip(int number, const QString& text) {
    if (!isSeparator(number)) buttons_[static_cast<std::size_t>(number)].action->setToolTip(text);
}

QString EditorWindow::buttonImageKey(int number) const {
    return isSeparator(number) ? QString() : buttons_[static_cast<std::size_t>(number)].imageKey;
}

bool EditorWindow::buttonEnabled(int number) const {
    return !isSeparator(number) && buttons_[static_cast<std::size_t>(number)].action->isEnabled();
}

QString EditorWindow::buttonToolTip(int number) const {
    return isSeparator(number) ? QString() : buttons_[static_cast<std::size_t>(number)].action->toolTip();
}

void EditorWindow::Toolbar1_ButtonClick(int number) {
    if (isSeparator(number)) return;
    const int action = buttons_[static_cast<std::size_t>(number)].toolbarAction;
    state.ToolbarAction = action;
    switch (action) {
    case 11:
        // The menus say what the run allows; a stale button press does nothing.
        if (menuEnabled(QStringLiteral("menu_resume")))
            menu_resume_Click();
        else if (menuEnabled(QStringLiteral("menu_exec")))
            menu_exec_Click();
        return;
    case 12:
        if (menuEnabled(QStringLiteral("menu_stop"))) menu_stop_Click();
        return;
    case 13:
        if (menuEnabled(QStringLiteral("menu_halt"))) menu_halt_Click();
        return;
    case 5:
        // The printer set-up, then (unless cancelled) the execution window
        // printed as a page of its own.
        if (!systemPrinter_ || !dialogs_.printSetup(this, systemPrinter_->printerToSetUp())) return;
        printReportingFailure([this] {
            interpreter_.printer.endDocument();
            interpreter_.printer.printImage(interpreter_.screen.windowImage());
            interpreter_.printer.endDocument();
        });
        return;
    default: break;
    }
    const auto spec = std::find_if(buttonTable().begin(), buttonTable().end(),
                                   [number](const ButtonSpec& b) { return b.number == number; });
    const QString menuName = QString::fromLatin1(spec->menuName);
    // Save works from the toolbar even before a file has a name: it saves as.
    if (action == 3) {
        menu_save_Click();
        return;
    }
    if (menuAvailable(menuName)) invokeHandler(this, menuName);
    if (action == 16) {
        const bool numbering = menuItem(QStringLiteral("menu_auto"))->isChecked();
        setButton(number,
                  numbering ? QStringLiteral("行番号の自動生成(&A).A")
                            : QStringLiteral("行番号の自動生成(&A)"),
                  buttonEnabled(number));
    }
}

// --- the program text ---

std::u16string EditorWindow::programText() const {
    return withCrLf(RichTextBox1->toPlainText());
}

void EditorWindow::setProgramText(const QString& text) {
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

void EditorWindow::showLineNumber(int lineNumber) {
    pendingLineNumber_ = lineNumber;
    if (lineNumberTimer_.elapsed() >= lineNumberIntervalMs) flushLineNumber();
}

void EditorWindow::flushLineNumber() {
    if (pendingLineNumber_ < 0) return;
    Text2->setText(QStringLiteral("%1").arg(pendingLineNumber_, 7));
    pendingLineNumber_ = -1;
    lineNumberTimer_.restart();
}

void EditorWindow::setCaption(const QString& name) {
    setWindowTitle(QStringLiteral("Korvelin (") + name + QLatin1Char(')'));
}

void EditorWindow::rememberDirectory(const QString& path) {
    state.CurrentDirectory = directoryOf(path);
    // Host folders are all reached through drive C.
    state.DriveDirectories[static_cast<std::size_t>('C' - 'A')] = state.CurrentDirectory;
}

bool EditorWindow::programRunning() const {
    return runCommands_ && runCommands_->runLoopActive();
}

bool EditorWindow::loadProgramFile(const QString& path) {
    const QString existing = findExistingFile(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<ProgramFileText> file = readProgramFile(existing);
    QApplication::restoreOverrideCursor();
    if (!file) {
        dialogs_.message(this, QMessageBox::Warning, notFoundMessage);
        return false;
    }
    setProgramText(file->text);
    state.encoding = file->encoding;
    state.CurrentProgramPath = existing;
    state.CurrentProgramName = programNameOf(existing);
    const QString caption = QStringLiteral("Korvelin (") + state.CurrentProgramName + QLatin1Char(')');
    if (interpreter_.startMode == 1)
        setWindowTitle(caption);
    else
        screen_.setCaption(caption);
    setMenuEnabled(QStringLiteral("menu_save"), true);
    return true;
}

bool EditorWindow::confirmDiscard() {
    if (interpreter_.startMode != 1 || !isModified()) return true;
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
    if (!writeProgramFile(path, RichTextBox1->toPlainText(), state.encoding)) {
        dialogs_.message(this, QMessageBox::Warning, QStringLiteral("ファイルに書き込みできません。"));
        return false;
    }
    RichTextBox1->document()->setModified(false);
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

// --- menu handlers ---

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
        dialogs_.message(this, QMessageBox::Warning, notFoundMessage);
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
    const QString chosen = dialogs_.saveFileName(this, saveTitle, programFilter(), state.CurrentDirectory,
                                                 state.CurrentProgramName);
    if (chosen.isEmpty()) return;
    const QString path = withExtensionWhenMissing(upperCasedFileName(chosen));
    // The dialog asked about the name it returned; a different final name
    // that exists must not be replaced without asking.
    if (path != chosen && QFileInfo::exists(path) && !dialogs_.confirmOverwrite(this, path)) return;
    if (!saveTo(path)) return;
    state.CurrentProgramPath = path;
    state.CurrentProgramName = programNameOf(path);
    rememberDirectory(path);
    setCaption(state.CurrentProgramName);
    setMenuEnabled(QStringLiteral("menu_save"), true);
}

void EditorWindow::menu_print_Click() {
    if (!systemPrinter_ || !dialogs_.printSetup(this, systemPrinter_->printerToSetUp())) return;
    // The listing goes after whatever a program printed and ends the document.
    printReportingFailure([this] {
        QStringList lines = RichTextBox1->toPlainText().split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
        for (const QString& line : lines)
            interpreter_.printer.printLine(line);
        interpreter_.printer.endDocument();
    });
}

void EditorWindow::menu_setprn_Click() {
    if (systemPrinter_) dialogs_.printSetup(this, systemPrinter_->printerToSetUp());
}

void EditorWindow::menu_setpfont_Click() {
    if (dialogs_.printerFont(this, settings_.printerFont))
        interpreter_.printer.setFont(applyPrinterFont(settings_.printerFont));
}

void EditorWindow::printReportingFailure(const std::function<void()>& print) {
    try {
        print();
    } catch (const HostFailure&) {
        dialogs_.message(this, QMessageBox::Warning, QStringLiteral("メッセージの定義されていないエラーです。"));
    }
}

void EditorWindow::menu_exec_Click() {
    if (runCommands_) runCommands_->StartRun();
}

void EditorWindow::menu_start_Click() {
    menu_exec_Click();
}

void EditorWindow::menu_halt_Click() {
    if (runCommands_) runCommands_->EndRun();
}

void EditorWindow::menu_stop_Click() {
    if (runCommands_) runCommands_->BreakRun();
}

void EditorWindow::menu_resume_Click() {
    if (runCommands_) runCommands_->ResumeRun();
}

void EditorWindow::menu_end_Click() {
    close();
}

void EditorWindow::menu_cut_Click() {
    RichTextBox1->cut();
}

void EditorWindow::menu_copy_Click() {
    RichTextBox1->copy();
}

void EditorWindow::menu_paste_Click() {
    RichTextBox1->paste();
}

void EditorWindow::menu_disp_Click() {
    screen_.showScreen();
}

void EditorWindow::menu_clear_Click() {
    screen_.clearScreen();
    if (programRunning()) screen_.setFocus();
}

void EditorWindow::menu_debug_Click() {
    if (runCommands_) runCommands_->showDebugScreen();
}

void EditorWindow::menu_inst_Click() {
    // The check mark toggles by itself; the indicator follows it.
    flushLineNumber();
}

void EditorWindow::menu_version_Click() {
    dialogs_.about(this);
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

// --- shut-down and size ---

void EditorWindow::closeEvent(QCloseEvent* event) {
    const bool running =
        !menuEnabled(QStringLiteral("menu_exec")) && !menuEnabled(QStringLiteral("menu_resume"));
    if (running && programRunning()) {
        // The window closes when the run loop has ended.
        menu_halt_Click();
        interpreter_.startMode = 3;
        event->ignore();
        return;
    }
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    if (interpreter_.startMode == 1) interpreter_.startMode = 0;
    screen_.closeScreen();
    settings_.save(state.AppDirectory);
    event->accept();
    emit editorClosed();
}

void EditorWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized()) return;
    // A window squeezed to almost nothing comes back at a usable size.
    if (width() < 38) resize(570, height());
    const int least = menuBar()->sizeHint().height() + Toolbar1->sizeHint().height() + 60;
    if (height() < least) resize(width(), least);
}

} // namespace korvelin
