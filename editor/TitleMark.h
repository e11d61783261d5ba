#pragma once
// Unsaved changes show in the editor's title bar as a "*" after the
// caption, while the caption itself (windowTitle) stays the program's name
// exactly, as dialogs and the execution window copy it.

#include <QObject>

class QTextDocument;
class QWidget;

namespace korvelin {

class TitleMark : public QObject {
  public:
    TitleMark(QWidget& window, QTextDocument& document);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void apply();
    QWidget& window_;
    QTextDocument& document_;
};

} // namespace korvelin
