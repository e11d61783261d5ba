#pragma once
// The edit control that holds the program text (RichTextBox1): plain text
// in a fixed-pitch Japanese font, the editor's own keys, and program files
// dropped onto it.

#include <QFont>
#include <QPlainTextEdit>

#include <functional>

namespace korvelin {

// The fixed-pitch Japanese font of program text, in the editor and the
// debug screen alike.
QFont programTextFont();

class ProgramEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit ProgramEditor(QWidget* parent = nullptr);

    // Enter: returns true when it handled the key (automatic numbering
    // inserted a number), which then goes no further.
    std::function<bool()> enterHandler;

  signals:
    void cutRequested();                   // Ctrl+X
    void pasteRequested();                 // Ctrl+V
    void statementListRequested();         // End
    void fileDropped(const QString& path); // the first file of a drop

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// The first local file named by a drop, or "" when it names none.
QString firstDroppedFile(const QMimeData* data);

} // namespace korvelin
