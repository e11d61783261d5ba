#pragma once
// The editor main window: the program text, the menus and the toolbar
// through which everything else is reached, program files, and shut-down.

#include "devices/ProgramFile.h"
#include "editor/Icons.h"
#include "editor/RunCommands.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPoint>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QLineEdit;
class QToolBar;

namespace korvelin {

class DebugCommands;
class Interpreter;
class ExecutionScreenPort;
struct LineToolResult;
class EditorStatusBar;
class EditorZoom;
class RecentFiles;
class StatementHighlight;
enum class StopMark;
class ProgramEditor;
class RunCommands;
class Settings;
class SystemPrinter;
class StatementListWindow;
class UserDialogs;

// The editor's own state. `StartMode` and `CommandTail` are the
// interpreter's (`startMode`, `commandTail`), which reads them during a run.
struct EditorState {
    QString CurrentProgramPath;
    QString CurrentProgramName;
    QString AppDirectory;     // ends with "/"
    QString CurrentDirectory; // ends with "/"
    // The current folder per drive letter, "A:\" .. "Z:\" until a program
    // is opened there; host folders all belong to drive C.
    std::array<QString, 28> DriveDirectories;
    int AutoNumberNext = 0;
    int AutoNumberStep = 10;
    bool autoNumbering = false; // menu_auto is checked
    int ToolbarAction = 0;
    // Where the statement list inserts: "PROG" or "DEBUG".
    QString statementListTarget = QStringLiteral("PROG");
    ProgramEncoding encoding = ProgramEncoding::Cp932;
};

class EditorWindow : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int toolbarButtonCount = 22;

    EditorWindow(Interpreter& interpreter, UserDialogs& dialogs, ExecutionScreenPort& screen,
                 Settings& settings, QWidget* parent = nullptr);
    ~EditorWindow() override;

    void setRunCommands(RunCommands* commands) { runCommands_ = commands; }
    // The system's printer that 印刷 and ﾌﾟﾘﾝﾀの設定 set up.
    void setSystemPrinter(SystemPrinter* printer) { systemPrinter_ = printer; }
    void setDebugCommands(DebugCommands* commands) { debugCommands_ = commands; }
    // The folder of the executable; the Open dialog starts there.
    void setAppDirectory(const QString& directory);

    ProgramEditor* RichTextBox1 = nullptr;
    // The statement list (and its detail window), loaded hidden.
    StatementListWindow* statementList = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLineEdit* Text2 = nullptr; // the line indicator
    ImageList ImageList1;
    EditorState state;

    // --- menus ---
    QAction* menuItem(const QString& name) const;
    // Items whose feature is not part of this build stay disabled.
    void setMenuEnabled(const QString& name, bool enabled);
    bool menuEnabled(const QString& name) const;
    // The state of the run the menus show: Break when 再開 is available,
    // Idle when 実行 is, else Running.
    RunState runStateShown() const;
    bool menuAvailable(const QString& name) const;
    QStringList menuNames() const;

    // --- toolbar (buttons numbered from 1, separators included) ---
    void setButton(int number, const QString& imageKey, bool enabled);
    void setButtonToolTip(int number, const QString& text);
    QString buttonImageKey(int number) const;
    bool buttonEnabled(int number) const;
    QString buttonToolTip(int number) const;
    bool isSeparator(int number) const;
    // Performs the button's action, as a click does.
    void Toolbar1_ButtonClick(int number);

    // --- the program text ---
    // The text in the interpreter's form (CR LF line ends).
    std::u16string programText() const;
    void setProgramText(const QString& text);
    // Puts the caret at an offset of the CR LF text, shows the window and
    // focuses the edit control.
    void placeCaret(int crlfOffset);
    int caretCrlfOffset() const;
    bool loadProgramFile(const QString& path);
    bool isModified() const;
    // The line indicator, coalesced to a few dozen updates a second.
    void showLineNumber(int lineNumber);
    void flushLineNumber();

    // The file name dialogs use this filter and these titles.
    static QString programFilter();

    // Opens a program (as menu_open does after its dialog).
    void openProgram(const QString& path);

    // --- beyond the menus (editor/EditorComforts.cpp) ---
    EditorStatusBar* StatusBar1 = nullptr;
    RecentFiles* recentFiles() const { return recentFiles_; }
    EditorZoom* zoom() const { return zoom_; }
    // The line where a program stopped: at a break (the statement that
    // resumes) or after an error; cleared when a run starts or goes on.
    void markStop(int crlfOffset, StopMark kind);
    void clearStopMark();
    int markedStopLine() const;
    // The text a run was prepared from, to tell the user when 再開 goes on
    // with a program that no longer matches the editor.
    void rememberPreparedText();
    // The window places and sizes, into the settings before they are written.
    void rememberWindowPlaces();

  signals:
    // Shut-down is complete: the application may end.
    void editorClosed();

  public slots:
    void menu_new_Click();
    void menu_open_Click();
    void menu_add_Click();
    void menu_save_Click();
    void menu_name_Click();
    void menu_print_Click();
    void menu_exec_Click();
    void menu_end_Click();
    void menu_cut_Click();
    void menu_copy_Click();
    void menu_paste_Click();
    void menu_disp_Click();
    void menu_clear_Click();
    void menu_debug_Click();
    void menu_inst_Click();
    void menu_start_Click();
    void menu_halt_Click();
    void menu_stop_Click();
    void menu_resume_Click();
    void menu_version_Click();
    void menu_help_Click();
    void menu_setprn_Click();
    void menu_setpfont_Click();
    // Line-number tools and find/replace (LineToolCommands.cpp, SearchCommands.cpp).
    void menu_sort_Click();
    void menu_renum_Click();
    void menu_auto_Click();
    void menu_find_Click();
    void menu_replace_Click();
    // Watches and call history (reached through the debug commands).
    void menu_wadd_Click();
    void menu_wdelete_Click();
    void menu_wedit_Click();
    void menu_call_Click();
    void menu_list_Click();
    void menu_classic_Click();
    void menu_setrs_Click();
    void RichTextBox1_FileDropped(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildComforts();
    // A message about a file: the text, and the file's host path below it.
    void fileMessage(const QString& text, const QString& path);
    void fileLoaded(const QString& path);
    void fileSaved(const QString& path);
    void openRecentFile(const QString& path);
    void buildMenus();
    void buildToolbar();
    // Asks to save a changed program; false when the user cancelled.
    bool confirmDiscard();
    bool saveTo(const QString& path);
    void setCaption(const QString& name);
    void rememberDirectory(const QString& path);
    bool programRunning() const;
    // Runs a printing step; a printer that fails is reported in a message box.
    void printReportingFailure(const std::function<void()>& print);
    // Line tools: replace the whole text as one undo step, report an error.
    void replaceWholeText(const std::u16string& crlfText);
    void applyLineTool(const LineToolResult& result);
    void insertAtCrlf(std::int32_t offset, const std::u16string& text, std::int32_t caretOffset);
    // Enter with automatic numbering on; true when a number was inserted.
    bool continueAutoNumbering();
    void showAutoNumbering(bool on);

    QPoint serialDialogPosition_{-1, -1};
    Interpreter& interpreter_;
    UserDialogs& dialogs_;
    ExecutionScreenPort& screen_;
    Settings& settings_;
    RunCommands* runCommands_ = nullptr;
    SystemPrinter* systemPrinter_ = nullptr;
    DebugCommands* debugCommands_ = nullptr;

    std::map<QString, QAction*> menuItems_;
    std::map<QString, bool> menuAvailable_;
    struct Button {
        QAction* action = nullptr; // null for a separator
        int toolbarAction = 0;
        QString imageKey;
    };
    std::array<Button, toolbarButtonCount + 1> buttons_{};

    int pendingLineNumber_ = -1;
    QElapsedTimer lineNumberTimer_;

    RecentFiles* recentFiles_ = nullptr;
    EditorZoom* zoom_ = nullptr;
    std::unique_ptr<StatementHighlight> stopMark_;
    QString preparedText_;
};

} // namespace korvelin
