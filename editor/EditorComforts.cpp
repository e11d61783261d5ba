// What the editor window offers beyond its specified menus: keyboard
// shortcuts, the title's unsaved-changes mark, the status bar, the line a
// program stopped at, recent files, syntax colours, zoom, and the places
// of the windows remembered in the settings file.

#include "editor/EditorWindow.h"

#include "editor/EditorShortcuts.h"
#include "editor/EditorStatusBar.h"
#include "editor/EditorZoom.h"
#include "editor/ProgramEditor.h"
#include "editor/RecentFiles.h"
#include "editor/StatementHighlight.h"
#include "editor/SyntaxHighlighter.h"
#include "editor/TitleMark.h"
#include "interpreter/Interpreter.h"
#include "platform/Settings.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/widgets/ExecutionScreenPort.h"

#include <QActionGroup>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

namespace korvelin {

void EditorWindow::buildComforts() {
    addMenuShortcuts(*this);
    new TitleMark(*this, *RichTextBox1->document());

    StatusBar1 = new EditorStatusBar(*RichTextBox1, this);
    setStatusBar(StatusBar1);
    stopMark_ = std::make_unique<StatementHighlight>(*RichTextBox1);
    new SyntaxHighlighter(RichTextBox1->document(), interpreter_.keywords);
    zoom_ = new EditorZoom(*RichTextBox1, settings_.windows.editorFontSize, *this);

    // Recent files: a sub-menu of ﾌｧｲﾙ just above the last item (the end).
    QMenu* fileMenu = menuBar()->findChild<QMenu*>(QStringLiteral("menu1"));
    auto* recentMenu = new QMenu(QStringLiteral("最近使ったプログラム(&R)"), this);
    recentMenu->setObjectName(QStringLiteral("menu_recent"));
    if (fileMenu) {
        QAction* end = menuItem(QStringLiteral("menu_end"));
        fileMenu->insertMenu(end, recentMenu);
        fileMenu->insertSeparator(end);
    }
    recentFiles_ =
        new RecentFiles(settings_.windows.recentFiles, WindowSettings::recentLimit, recentMenu, this);
    connect(recentFiles_, &RecentFiles::openRequested, this, &EditorWindow::openRecentFile);

    // The execution window's zoom, under 表示.
    if (QMenu* viewMenu = menuBar()->findChild<QMenu*>(QStringLiteral("menu3"))) {
        viewMenu->addSeparator();
        QMenu* zoomMenu = viewMenu->addMenu(QStringLiteral("実行画面の倍率(&Z)"));
        zoomMenu->setObjectName(QStringLiteral("menu_screenzoom"));
        auto* group = new QActionGroup(zoomMenu);
        for (int factor = 1; factor <= 3; ++factor) {
            QAction* item = zoomMenu->addAction(QStringLiteral("%1倍(&%1)").arg(factor));
            item->setObjectName(QStringLiteral("screenzoom_%1").arg(factor));
            item->setCheckable(true);
            item->setActionGroup(group);
            connect(item, &QAction::triggered, this, [this, factor] {
                screen_.setZoom(factor);
                settings_.windows.screenZoom = factor;
            });
        }
        connect(viewMenu, &QMenu::aboutToShow, zoomMenu, [this, zoomMenu] {
            for (QAction* item : zoomMenu->actions())
                item->setChecked(item->objectName().endsWith(QString::number(screen_.zoom())));
        });
    }
}

void EditorWindow::openRecentFile(const QString& path) {
    if (programRunning()) return dialogs_.beep();
    if (!confirmDiscard()) return;
    openProgram(path);
}

void EditorWindow::fileLoaded(const QString& path) {
    clearStopMark();
    recentFiles_->add(path);
    QFile file(path);
    QByteArray head;
    if (file.open(QIODevice::ReadOnly)) head = file.read(1 << 16);
    StatusBar1->setFileFormat(state.encoding, lineEndsOf(head));
}

void EditorWindow::fileSaved(const QString& path) {
    recentFiles_->add(path);
    StatusBar1->setFileFormat(state.encoding, LineEnds::CrLf); // program files are written with CR LF
}

void EditorWindow::markStop(int crlfOffset, StopMark kind) {
    stopMark_->mark(documentPosition(RichTextBox1->toPlainText(), crlfOffset), kind);
}

void EditorWindow::clearStopMark() {
    stopMark_->clear();
}

int EditorWindow::markedStopLine() const {
    return stopMark_->markedLine();
}

void EditorWindow::rememberPreparedText() {
    preparedText_ = RichTextBox1->toPlainText();
}

void EditorWindow::rememberWindowPlaces() {
    WindowSettings& windows = settings_.windows;
    if (interpreter_.startMode == StartMode::CommandLine) return; // the editor was never shown
    // The frame's corner and the inner size: placed back the same way, a
    // window does not creep down by its title bar each session.
    windows.editorGeometry = isMaximized() ? normalGeometry() : QRect(pos(), size());
    if (QWidget* screen = screen_.window()) windows.screenGeometry = QRect(screen->pos(), screen->size());
}

} // namespace korvelin
