#include "app/EditorSession.h"

#include "app/Startup.h"
#include "app/WindowPlacement.h"
#include "editor/EditorZoom.h"
#include "screen/widgets/ExecutionScreen.h"

#include <QTimer>

namespace korvelin {

namespace {

UserDialogs& dialogsOrOwn(UserDialogs* given, std::unique_ptr<UserDialogs>& own) {
    if (given) return *given;
    own = std::make_unique<UserDialogs>();
    return *own;
}

ExecutionScreenPort& screenOrOwn(ExecutionScreenPort* given, std::unique_ptr<ExecutionScreenPort>& own) {
    if (given) return *given;
    own = std::make_unique<ExecutionScreen>();
    return *own;
}

} // namespace

CommandLine parseCommandLine(const QString& line) {
    CommandLine result;
    QString name;
    if (line.startsWith(QLatin1Char('"'))) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
        name = close < 0 ? line.mid(1) : line.mid(1, close - 1);
        result.commandTail = close < 0 ? QString() : line.mid(close + 1);
    } else {
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        name = blank < 0 ? line : line.left(blank);
        result.commandTail = blank < 0 ? QString() : line.mid(blank + 1);
    }
    while (result.commandTail.startsWith(QLatin1Char(' ')))
        result.commandTail.remove(0, 1);
    if (!name.isEmpty()) result.programPath = withBasExtension(upperCasedFileName(name));
    return result;
}

QString joinArguments(const QStringList& arguments) {
    QStringList parts;
    for (const QString& argument : arguments)
        parts << (argument.contains(QLatin1Char(' ')) ? QLatin1Char('"') + argument + QLatin1Char('"')
                                                      : argument);
    return parts.join(QLatin1Char(' '));
}

EditorSession::EditorSession(const QString& appDirectory, UserDialogs* givenDialogs,
                             ExecutionScreenPort* givenScreen)
    : dialogs(dialogsOrOwn(givenDialogs, ownDialogs_)), screen(screenOrOwn(givenScreen, ownScreen_)),
      editor(interpreter, dialogs, screen, settings),
      control(interpreter, editor, debugScreen, screen, dialogs) {
    host.attach(editor, control, debugScreen, screen, dialogs);
    interpreter.voices.setOutput(&audio);
    interpreter.printer.setTarget(&systemPrinter);
    editor.setSystemPrinter(&systemPrinter);
    // Closing the application silences the music and sends the document
    // a program left open to the printer.
    QObject::connect(&editor, &EditorWindow::editorClosed, &editor, [this] { endDevices(); });
    host.attachWatches(debugTools.watchWindow);
    editor.setAppDirectory(appDirectory);
    QObject::connect(&editor, &EditorWindow::editorClosed, &debugScreen, &QWidget::close);
    QObject::connect(&editor, &EditorWindow::editorClosed, &debugTools.watchWindow, &QWidget::close);
    if (auto* window = dynamic_cast<ExecutionScreen*>(&screen)) {
        window->attach(
            interpreter, dialogs, [this] { return editor.runStateShown() == RunState::Running; },
            [this] { editor.close(); });
        window->setBreakCommand([this] {
            if (editor.menuEnabled(QStringLiteral("menu_stop"))) control.BreakRun();
        });
    }
}

EditorSession::~EditorSession() {
    endDevices();
    interpreter.voices.setOutput(nullptr);
    interpreter.printer.setTarget(nullptr);
}

void EditorSession::endDevices() {
    audio.stop();
    try {
        interpreter.printer.endDocument();
    } catch (const HostFailure&) {
        // The application is ending; there is nobody left to tell.
    }
}

void EditorSession::start(const QString& commandLine) {
    settings.load(editor.state.AppDirectory);
    applyDriveSettings(settings, interpreter.paths);
    applySerialSettings(settings, interpreter.files.serial);
    editor.setAppDirectory(editor.state.AppDirectory);
    interpreter.screen.kanjiFontName = settings.printerFont.PrinterFontName.toStdU16String();
    interpreter.printer.setFont(applyPrinterFont(settings.printerFont));
    const CommandLine parsed = parseCommandLine(commandLine.trimmed());
    interpreter.classicDialect = settings.classicDialect || classicDialect;
    editor.menuItem(QStringLiteral("menu_classic"))->setChecked(interpreter.classicDialect);
    if (parsed.programPath.isEmpty()) {
        interpreter.startMode = StartMode::Interactive;
        interpreter.commandTail.clear();
        screen.setZoom(settings.windows.screenZoom);
        if (settings.windows.editorFontSize > 0) editor.zoom()->setFontSize(settings.windows.editorFontSize);
        placeWindows(editor, screen.window(), settings.windows);
        screen.showScreen();
        editor.show();
        const QString words = editor.state.AppDirectory + QStringLiteral("KORVELIN.DAT");
        // The compiled-in copy of the same file stays when it cannot be read.
        if (!interpreter.keywords.loadFromFile(words.toStdString())) {
            const QString shipped = findDataFile(QStringLiteral("KORVELIN.DAT"));
            if (!shipped.isEmpty()) interpreter.keywords.loadFromFile(shipped.toStdString());
        }
        if (auto* window = dynamic_cast<ExecutionScreen*>(&screen)) window->startupFinished();
        return;
    }
    interpreter.startMode = StartMode::CommandLine;
    interpreter.commandTail = parsed.commandTail.toStdU16String();
    editor.hide();
    if (QWidget* window = screen.window()) centreOnDisplay(*window);
    editor.openProgram(parsed.programPath);
    // The run starts from the event loop, so that the application can end with it.
    QTimer::singleShot(0, &editor, [this] { control.StartRun(); });
    if (auto* window = dynamic_cast<ExecutionScreen*>(&screen)) window->startupFinished();
}

} // namespace korvelin
