#pragma once
// The dialog of renumbering ("行番号の付け直し"): new number, old number and
// step. Automatic numbering uses it without the old number. O K hides it
// with the result "OK" only when all shown values are accepted.

#include <QDialog>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvelin {

class RenumberDialog : public QDialog {
    Q_OBJECT
  public:
    explicit RenumberDialog(QWidget* parent = nullptr);

    // For automatic numbering: caption "行番号の自動生成", no old number.
    void useForAutoNumbering();

    std::int32_t newNumber() const { return newNumber_; }
    std::int32_t oldNumber() const { return oldNumber_; }
    std::int32_t step() const { return step_; }

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr; // 新行番号
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr; // 旧行番号
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr; // 増 加 分
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QString result = QStringLiteral("Cancel");

  private:
    void acceptValues();

    bool oldNumberShown_ = true;
    std::int32_t newNumber_ = 0;
    std::int32_t oldNumber_ = 0;
    std::int32_t step_ = 10;
};

} // namespace korvelin
