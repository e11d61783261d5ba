#pragma once
// The watch window: the list of watch expressions with the buttons that
// add, edit, delete and clear them, and the engine's watch list behind
// it. The run asks it after every storing statement whether a watch
// breaks the run.

#include "interpreter/run/WatchExpressions.h"

#include <QWidget>

class QListWidget;
class QPushButton;

namespace korvelin {

class Interpreter;
class UserDialogs;

class WatchWindow : public QWidget {
    Q_OBJECT
  public:
    // `dialogParent` owns the input dialog while this window is hidden.
    WatchWindow(Interpreter& interpreter, UserDialogs& dialogs, QWidget* dialogParent);

    void AddWatch();
    void EditWatch();
    void DeleteWatch();
    void ClearWatches();
    // Evaluates every expression for its starting value; an error is
    // reported as outside a run.
    void CompileWatches();
    // During a run: the index of the watch that breaks it, or -1.
    int CheckWatches() { return watches.check(interpreter_); }
    // Selects the firing watch and brings the window to the front.
    void showWatch(int index);
    bool hasWatches() const { return !watches.empty(); }

    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr; // 追 加
    QPushButton* Command2 = nullptr; // 編 集
    QPushButton* Command3 = nullptr; // 削 除
    QPushButton* Command4 = nullptr; // 全削除
    QPushButton* Command5 = nullptr; // 終 了
    WatchExpressions watches;

  private:
    // The input dialog for one watch; false when cancelled or left empty.
    bool askForWatch(const QString& caption, QString& text, std::int16_t& mode);
    QWidget* dialogParent() const;
    int selectedOrFirst();

    Interpreter& interpreter_;
    UserDialogs& dialogs_;
    QWidget* dialogParent_;
};

} // namespace korvelin
