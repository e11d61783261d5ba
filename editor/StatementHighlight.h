#pragma once
// The line of the statement where a program stopped, marked in the editor:
// at a break the line that resumes, after an error the failing line. The
// mark goes when the run goes on or the text is replaced.

#include <QPlainTextEdit>

namespace korvelin {

enum class StopMark { Break, Error };

class StatementHighlight {
  public:
    explicit StatementHighlight(QPlainTextEdit& edit) : edit_(edit) {}

    // Marks the line holding a document position.
    void mark(int documentPosition, StopMark kind);
    void clear();
    // The marked line's number (from 0), or -1.
    int markedLine() const { return line_; }
    StopMark kind() const { return kind_; }

  private:
    QPlainTextEdit& edit_;
    int line_ = -1;
    StopMark kind_ = StopMark::Break;
};

} // namespace korvelin
