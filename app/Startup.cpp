#include "app/Startup.h"

#include "app/EditorSession.h"
#include "app/Translations.h"
#include "devices/DosPath.h"
#include "devices/SerialSettings.h"
#include "platform/Settings.h"
#include "screen/ScreenState.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace korvelin {

QString applicationDirectory() {
    QString directory = QCoreApplication::applicationDirPath();
    if (!directory.endsWith(QLatin1Char('/'))) directory += QLatin1Char('/');
    return directory;
}

QString findDataFile(const QString& name) {
    return findDataFileFrom(applicationDirectory(), name);
}

QString findDataFileFrom(const QString& directory, const QString& name) {
    const QString beside = directory + name;
    if (QFileInfo::exists(beside)) return beside;
    // Installed: bin/korvelin finds share/korvelin/ (the relative path
    // comes from the install layout the build was configured with).
    const QString installed = QDir::cleanPath(directory + QStringLiteral(KORVELIN_DATA_FROM_BINDIR) + name);
    if (QFileInfo::exists(installed)) return installed;
    return {};
}

void applyDriveSettings(const Settings& settings, DosPaths& paths) {
    for (int letter = 0; letter < 26; ++letter) {
        const QString& folder = settings.drives[static_cast<std::size_t>(letter)];
        if (!folder.isEmpty()) paths.setDriveRoot(static_cast<char16_t>(u'A' + letter), folder);
    }
}

void applySerialSettings(const Settings& settings, SerialPortSettings& serial) {
    serial = SerialPortSettings{};
    serial.applySpeedText(settings.serial.Speed);
    serial.applySettingsText(settings.serial.Param.toStdU16String());
    for (std::size_t port = 0; port < 4; ++port) {
        const QString& device = settings.serial.devices[port];
        if (!device.isEmpty()) serial.devices[port] = device;
    }
}

int runEditorApplication(QApplication& app, const QStringList& arguments) {
    QApplication::setApplicationName(QStringLiteral("Korvelin"));
    QApplication::setApplicationVersion(QStringLiteral(KORVELIN_VERSION));
    installJapaneseTranslations(app);
    installFontSubstitutions();
    app.setQuitOnLastWindowClosed(false);

    EditorSession session(applicationDirectory());
    QStringList rest = arguments;
    // "--classic" before the file name runs it in the classic-dialect mode.
    if (!rest.isEmpty() && rest.first() == QStringLiteral("--classic")) {
        session.classicDialect = true;
        rest.removeFirst();
    }
    QObject::connect(&session.editor, &EditorWindow::editorClosed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    session.start(joinArguments(rest));
    return app.exec();
}

} // namespace korvelin
