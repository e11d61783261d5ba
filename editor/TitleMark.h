#pragma once
// Unsaved changes show in the editor's title bar as a "*" after the
// caption, while the caption itself (windowTitle) stays the program's name
// exactly, as dialogs and the execution window copy it.

#include <QObject>

class QWidget;

namespace korvelin {

class TitleMark : public QObject {
  public:
    explicit TitleMark(QWidget& window);
    // The title the window system shows.
    static QString shownTitle(const QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply();
    QWidget& window_;
};

} // namespace korvelin
