#pragma once
// The call history of a program stopped at a break: one row per active
// call, the outermost first. Clicking a row puts the editor's caret where
// the calling statement begins; double-clicking also closes the window.

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QListWidget;

namespace korvelin {

class Interpreter;

struct CallHistoryRow {
    QString text;        // " 1 :    10  GOSUB 100"
    int statementOffset; // CR LF offset of the calling statement
};

// The calling statements of the levels below the break's own entry.
std::vector<CallHistoryRow> callHistoryRows(const Interpreter& in);

class CallHistoryWindow : public QDialog {
    Q_OBJECT
  public:
    using Jump = std::function<void(int crlfOffset)>;
    CallHistoryWindow(std::vector<CallHistoryRow> rows, Jump jump, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;

  private:
    void jumpTo(int row);

    std::vector<CallHistoryRow> rows_;
    Jump jump_;
};

} // namespace korvelin
