#pragma once
// The editor's status bar: where the caret is (line:column), the program
// file's encoding and line ends, and short notes (such as edits made at a
// break, which the running program does not see).

#include "devices/ProgramFile.h"

#include <QStatusBar>

class QLabel;
class QPlainTextEdit;

namespace korvelin {

enum class LineEnds { CrLf, Lf, Cr };

// The line ends a file's bytes use (the first one found; CR LF when none).
LineEnds lineEndsOf(const QByteArray& bytes);
QString lineEndsName(LineEnds ends);
QString encodingName(ProgramEncoding encoding);

class EditorStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit EditorStatusBar(QPlainTextEdit& edit, QWidget* parent = nullptr);

    void setFileFormat(ProgramEncoding encoding, LineEnds ends);
    QString positionText() const;
    QString formatText() const;
    // A note that stays until the next one or ten seconds.
    void note(const QString& text);

  private:
    void showPosition();

    QPlainTextEdit& edit_;
    QLabel* position_;
    QLabel* encoding_;
    QLabel* lineEnds_;
};

} // namespace korvelin
