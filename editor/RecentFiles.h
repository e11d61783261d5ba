#pragma once
// The recently opened or saved programs, newest first, as a sub-menu of
// ﾌｧｲﾙ; the list lives in the settings file's own section.

#include <QObject>
#include <QStringList>

class QMenu;

namespace korvelin {

class RecentFiles : public QObject {
    Q_OBJECT
  public:
    // `list` is the settings' list, kept up to date; `limit` entries at most.
    RecentFiles(QStringList& list, int limit, QMenu* menu, QObject* parent = nullptr);

    // A program was opened or saved under this path: it goes to the top.
    void add(const QString& path);
    const QStringList& files() const { return list_; }
    QMenu* menu() const { return menu_; }

  signals:
    void openRequested(const QString& path);

  private:
    void rebuild();

    QStringList& list_;
    int limit_;
    QMenu* menu_;
};

} // namespace korvelin
