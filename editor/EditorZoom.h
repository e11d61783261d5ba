#pragma once
// The editor's font size: Ctrl+wheel, Ctrl++ and Ctrl+- make the program
// text larger or smaller, Ctrl+0 returns to the standard size.

#include <QObject>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace korvelin {

class EditorZoom : public QObject {
  public:
    static constexpr int standardSize = 16; // pixels: 8 x 16 cells as on the console
    static constexpr int smallest = 8;
    static constexpr int largest = 64;

    // `size` is the settings' value (0 for standard), kept up to date. The
    // key actions are added to `window`.
    EditorZoom(QPlainTextEdit& edit, int& size, QWidget& window);

    int fontSize() const;
    void setFontSize(int pixels);
    void zoomIn() { setFontSize(fontSize() + 2); }
    void zoomOut() { setFontSize(fontSize() - 2); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPlainTextEdit& edit_;
    int& size_;
};

} // namespace korvelin
