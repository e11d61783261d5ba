#pragma once
// The list window "命令と関数の一覧": the statement names and the function
// names of the reference, one list visible at a time. "複 写" inserts the
// selected name at the caret of the program text (tag "PROG") or of the
// debug screen (any other tag); "説 明" opens the detail window.

#include "help/ReferenceFiles.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace korvelin {

class StatementDetailWindow;

class StatementListWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StatementListWindow(QWidget* parent = nullptr);
    ~StatementListWindow() override;

    // The folder the data files are read from (on the first showing).
    void setAppDirectory(const QString& folder) { appDirectory_ = folder; }
    // Where "複 写" inserts: the program text and the debug screen's text.
    void setProgramTarget(QPlainTextEdit* target) { programTarget_ = target; }
    void setDebugTarget(QPlainTextEdit* target) { debugTarget_ = target; }

    // Shows the list with the given target tag. When `caretSource` is given
    // and the word at its caret names an entry, that entry is selected.
    void showList(const QString& tag, const QPlainTextEdit* caretSource = nullptr);
    // Hides the list and the detail window.
    void hideAll();

    // Entry numbers of the reference (1-based, statements first); 0 = none.
    int selectedEntry() const;
    // Selects entry k, switching between the two lists as needed.
    void selectEntry(int entry);
    QString selectedName() const;
    // Inserts the selected name into the tag's target and focuses it.
    void insertSelectedName();

    ReferenceFiles& files() { return files_; }
    StatementDetailWindow* detailWindow() const { return detail_; }

    QString Tag;
    QRadioButton* Option1 = nullptr; // "命令"
    QRadioButton* Option2 = nullptr; // "関数"
    QListWidget* List1 = nullptr;    // statements
    QListWidget* List2 = nullptr;    // functions
    QPushButton* Command1 = nullptr; // "複 写"
    QPushButton* Command2 = nullptr; // "説 明"
    QPushButton* Command3 = nullptr; // "ｷｬﾝｾﾙ"
    QLabel* Label1 = nullptr;        // why the reference cannot be shown

  public slots:
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

  private:
    // Reads the names and the index on the first showing (and again while
    // they could not be read).
    void Form_Load();
    void showFailure(const QString& message);
    void preselect(const QPlainTextEdit* caretSource);

    ReferenceFiles files_;
    QString appDirectory_;
    QPlainTextEdit* programTarget_ = nullptr;
    QPlainTextEdit* debugTarget_ = nullptr;
    StatementDetailWindow* detail_ = nullptr;
};

} // namespace korvelin
