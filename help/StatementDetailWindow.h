#pragma once
// The detail window "命令と関数の詳細": the explanation of one entry of the
// reference, with stepping to the previous and next entry; the list
// window's selection follows the entry shown.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace korvelin {

class StatementListWindow;

class StatementDetailWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StatementDetailWindow(StatementListWindow& list, QWidget* parent = nullptr);

    // Shows the window with the entry selected in the list window.
    void showDetail();
    // Shows entry k (nothing happens when it is already shown).
    void showEntry(int entry);
    int shownEntry() const { return shownEntry_; }

    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr; // "複 写"
    QPushButton* Command2 = nullptr; // "一 覧"
    QPushButton* Command3 = nullptr; // "前 へ"
    QPushButton* Command4 = nullptr; // "次 へ"
    QPushButton* Command5 = nullptr; // "ｷｬﾝｾﾙ"

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

  private:
    // The entry the list window has selected comes up on activation.
    void Form_Activate();

    StatementListWindow& list_;
    int shownEntry_ = 0;
};

} // namespace korvelin
