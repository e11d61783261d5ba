#pragma once
// The interactive program: start-up, the event loop, shut-down.

#include <QStringList>

class QApplication;

namespace korvelin {

class DosPaths;
class Settings;
struct SerialPortSettings;

// Runs the editor (or, with a program file in `arguments`, that program
// with the editor hidden) until the application ends; returns its exit code.
// `arguments` are the command-line arguments after the program's own name.
int runEditorApplication(QApplication& app, const QStringList& arguments);

// The folder of the executable with a trailing "/".
QString applicationDirectory();
// Where a shipped data file is: beside the executable or in the installed
// share/korvelin folder; "" when it is in neither.
QString findDataFile(const QString& name);
// The same for an executable in `directory` (ending with "/").
QString findDataFileFrom(const QString& directory, const QString& name);
// The settings' "DRIVES" section as the drive letters' host folders (a
// drive the section does not name keeps its default).
void applyDriveSettings(const Settings& settings, DosPaths& paths);
// The settings file's "RS232C" section as the serial port's settings: the
// defaults, then "Speed", then the letters of "Param", and the devices of
// COM1..COM4 ("Device1".."Device4", /dev/ttyS0../dev/ttyS3 when missing).
void applySerialSettings(const Settings& settings, SerialPortSettings& serial);

} // namespace korvelin
