#include "app/Startup.h"

#include "app/EditorSession.h"
#include "app/Translations.h"
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
    const QString beside = applicationDirectory() + name;
    if (QFileInfo::exists(beside)) return beside;
    // Installed: bin/korvelin finds share/korvelin/ (the relative path
    // comes from the install layout the build was configured with).
    const QString installed =
        QDir::cleanPath(applicationDirectory() + QStringLiteral(KORVELIN_DATA_FROM_BINDIR) + name);
    if (QFileInfo::exists(installed)) return installed;
    return {};
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
