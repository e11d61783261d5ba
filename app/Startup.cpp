#include "app/Startup.h"

#include "app/EditorSession.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>

namespace korvelin {

QString applicationDirectory() {
    QString directory = QCoreApplication::applicationDirPath();
    if (!directory.endsWith(QLatin1Char('/'))) directory += QLatin1Char('/');
    return directory;
}

QString findDataFile(const QString& name) {
    const QString beside = applicationDirectory() + name;
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(applicationDirectory() + QStringLiteral("../share/korvelin/") + name);
    if (QFileInfo::exists(installed)) return installed;
    return {};
}

int runEditorApplication(QApplication& app, const QStringList& arguments) {
    QApplication::setApplicationName(QStringLiteral("Korvelin"));
    // The programs' fonts by the names they were written for.
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    app.setQuitOnLastWindowClosed(false);

    EditorSession session(applicationDirectory());
    QObject::connect(&session.editor, &EditorWindow::editorClosed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    session.start(joinArguments(arguments));
    return app.exec();
}

} // namespace korvelin
