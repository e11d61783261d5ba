// The editor main window: menus and toolbar built from their tables, the
// run and edit commands, the line indicator, shut-down. The program
// document and the file commands are in editor/ProgramDocument.cpp.

#include "editor/EditorWindow.h"
#include "editor/SerialSettingsDialog.h"

#include "editor/EditorMenuTable.h"
#include "editor/EditorStatusBar.h"
#include "editor/ProgramEditor.h"
#include "editor/RunCommands.h"
#include "editor/StatementHighlight.h"
#include "help/StatementListWindow.h"
#include "interpreter/Interpreter.h"
#include "platform/Settings.h"
#include "platform/widgets/SystemPrinter.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/widgets/ExecutionScreenPort.h"

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

constexpr int lineNumberIntervalMs = 40; // at most 25 updates a second

bool invokeHandler(QObject* target, const QString& menuName) {
    const QByteArray slot = (menuName + QStringLiteral("_Click")).toLatin1();
    return QMetaObject::invokeMethod(target, slot.constData(), Qt::DirectConnection);
}

} // namespace

EditorWindow::EditorWindow(Interpreter& interpreter, UserDialogs& dialogs, ExecutionScreenPort& screen,
                           Settings& settings, QWidget* parent)
    : QMainWindow(parent), interpreter_(interpreter), dialogs_(dialogs), screen_(screen),
      settings_(settings) {
    setObjectName(QStringLiteral("EditorWindow"));
    RichTextBox1 = new ProgramEditor(this);
    setCentralWidget(RichTextBox1);
    buildMenus();
    buildToolbar();
    buildComforts();
    setCaption(QStringLiteral("プログラム"));
    resize(720, 560);

    connect(RichTextBox1, &ProgramEditor::cutRequested, this, &EditorWindow::menu_cut_Click);
    connect(RichTextBox1, &ProgramEditor::pasteRequested, this, &EditorWindow::menu_paste_Click);
    connect(RichTextBox1, &ProgramEditor::statementListRequested, this, [this] {
        state.statementListTarget = QStringLiteral("PROG");
        if (menuAvailable(QStringLiteral("menu_list"))) invokeHandler(this, QStringLiteral("menu_list"));
    });
    statementList = new StatementListWindow(this);
    statementList->setProgramTarget(RichTextBox1);
    connect(this, &EditorWindow::editorClosed, statementList, &StatementListWindow::hideAll);
    connect(RichTextBox1, &ProgramEditor::fileDropped, this, &EditorWindow::RichTextBox1_FileDropped);
    RichTextBox1->enterHandler = [this] { return continueAutoNumbering(); };

    for (const char* name : {"menu_save", "menu_halt", "menu_stop", "menu_resume", "menu_call"})
        setMenuEnabled(QString::fromLatin1(name), false);
    lineNumberTimer_.start();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::setAppDirectory(const QString& directory) {
    state.AppDirectory = directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
    statementList->setAppDirectory(state.AppDirectory);
    for (int letter = 0; letter < 26; ++letter)
        state.DriveDirectories[static_cast<std::size_t>(letter)] =
            QString(QChar(u'A' + letter)) + QStringLiteral(":\\");
    interpreter_.paths.setAppDirectory(state.AppDirectory);
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
            if (name == QLatin1String("menu_inst") || name == QLatin1String("menu_auto") ||
                name == QLatin1String("menu_classic"))
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

RunState EditorWindow::runStateShown() const {
    if (menuEnabled(QStringLiteral("menu_resume"))) return RunState::Break;
    if (menuEnabled(QStringLiteral("menu_exec"))) return RunState::Idle;
    return RunState::Running;
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
        if (runStateShown() == RunState::Break)
            menu_resume_Click();
        else if (runStateShown() == RunState::Idle)
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

bool EditorWindow::programRunning() const {
    return runCommands_ && runCommands_->runLoopActive();
}

// --- menu handlers ---

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
    // PUT ... KANJI and the printer share one font name: the dialog offers
    // the name the last PUT ... KANJI gave, and what it chooses is kept.
    settings_.printerFont.PrinterFontName = QString::fromStdU16String(interpreter_.screen.kanjiFontName);
    if (!dialogs_.printerFont(this, settings_.printerFont)) return;
    interpreter_.screen.kanjiFontName = settings_.printerFont.PrinterFontName.toStdU16String();
    interpreter_.printer.setFont(applyPrinterFont(settings_.printerFont));
}

void EditorWindow::printReportingFailure(const std::function<void()>& print) {
    try {
        print();
    } catch (const HostFailure&) {
        dialogs_.message(this, QMessageBox::Warning,
                         QStringLiteral("メッセージの定義されていないエラーです。"));
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
    // The run goes on with the text it was prepared from.
    if (runCommands_ && RichTextBox1->toPlainText() != preparedText_ &&
        menuEnabled(QStringLiteral("menu_resume")))
        StatusBar1->note(QStringLiteral("プログラムの変更は再開に反映されません（次の実行から有効です）。"));
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

void EditorWindow::menu_classic_Click() {
    // Takes effect when the next run is prepared.
    const bool on = menuItem(QStringLiteral("menu_classic"))->isChecked();
    interpreter_.classicDialect = on;
    settings_.classicDialect = on;
}

// "通信の設定" shows where it was last left while the application runs.
void EditorWindow::menu_setrs_Click() {
    SerialSettingsDialog dialog(interpreter_.files.serial, this);
    if (serialDialogPosition_.x() >= 0) dialog.move(serialDialogPosition_);
    dialog.exec();
    serialDialogPosition_ = dialog.pos();
}

void EditorWindow::menu_version_Click() {
    dialogs_.about(this);
}

// "KORVELIN.HLP" is no part of Korvelin: it opens when the user keeps one
// beside the program; without it the statement reference is the help.
void EditorWindow::menu_help_Click() {
    const QString helpFile = state.AppDirectory + QStringLiteral("KORVELIN.HLP");
    if (QFileInfo::exists(helpFile))
        dialogs_.openDocument(helpFile);
    else
        menu_list_Click();
}

void EditorWindow::menu_list_Click() {
    state.statementListTarget = QStringLiteral("PROG");
    statementList->showList(state.statementListTarget, RichTextBox1);
}

// --- shut-down and size ---

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (runStateShown() == RunState::Running && programRunning()) {
        // The window closes when the run loop has ended.
        menu_halt_Click();
        interpreter_.startMode = StartMode::CloseWhenRunEnds;
        event->ignore();
        return;
    }
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    if (interpreter_.startMode == StartMode::Interactive) interpreter_.startMode = StartMode::Closing;
    rememberWindowPlaces();
    screen_.closeScreen();
    // The serial settings the dialog and OPEN "COM..." left go back to the file.
    settings_.serial.Speed = interpreter_.files.serial.speedText();
    settings_.serial.Param = QString::fromStdU16String(interpreter_.files.serial.settingsText());
    // PUT ... KANJI keeps its font name in the printer font's setting.
    settings_.printerFont.PrinterFontName = QString::fromStdU16String(interpreter_.screen.kanjiFontName);
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
