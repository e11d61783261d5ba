#pragma once
// Everything the interactive program is made of, created in the order the
// parts need each other: the host the interpreter talks to, the
// interpreter, the editor window, the debug screen and the execution
// control. Tests build one the same way the application does.

#include "debugger/DebugScreen.h"
#include "debugger/DebugTools.h"
#include "debugger/EditorRunHost.h"
#include "debugger/ExecutionControl.h"
#include "editor/EditorWindow.h"
#include "interpreter/Interpreter.h"
#include "platform/Settings.h"
#include "platform/widgets/AudioPlayer.h"
#include "platform/widgets/SystemPrinter.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/widgets/ExecutionScreenPort.h"

#include <memory>

namespace korvelin {

struct CommandLine {
    QString programPath; // "" for the interactive mode
    QString commandTail;
};

// Splits a command line into the program file and COMMAND$: a file name in
// double quotes may hold blanks, else it ends at the first blank. The name
// gets ".BAS" unless it already ends so; its file-name part is upper-cased.
CommandLine parseCommandLine(const QString& line);
// The command line as one text again, from the arguments the shell split:
// an argument with a blank is put back in double quotes.
QString joinArguments(const QStringList& arguments);

class EditorSession {
  public:
    // `dialogs` and `screen` may be null: the real dialogs and a detached
    // execution screen are used then.
    EditorSession(const QString& appDirectory, UserDialogs* dialogs = nullptr,
                  ExecutionScreenPort* screen = nullptr);
    ~EditorSession();

    // The start-up steps after the windows exist: settings, then either
    // the interactive mode (editor shown, reserved words read) or the
    // command-line mode (editor hidden, program loaded and run at once).
    void start(const QString& commandLine);

  private:
    // Stops the sound and ends the open printer document.
    void endDevices();

    // Created before the references below refer to them.
    std::unique_ptr<UserDialogs> ownDialogs_;
    std::unique_ptr<ExecutionScreenPort> ownScreen_;

  public:
    UserDialogs& dialogs;
    ExecutionScreenPort& screen;
    Settings settings;
    // The sound card and the system's printers, which the interpreter's
    // voice queue and printer device use while they exist.
    AudioPlayer audio;
    SystemPrinter systemPrinter;
    // Set by "--classic" on the command line; the settings file can turn
    // the mode on as well.
    bool classicDialect = false;
    EditorRunHost host;
    Interpreter interpreter{host};
    EditorWindow editor;
    DebugScreen debugScreen;
    ExecutionControl control;
    DebugTools debugTools{interpreter, editor, dialogs};
};

} // namespace korvelin
