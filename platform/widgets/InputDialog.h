#pragma once
// The input dialog that find, replace and the watch expressions share: one
// or two text fields, two option buttons for the kind of watch, O K and
// ｷｬﾝｾﾙ. O K sets the tag to "OK"; both buttons hide the dialog.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvelin {

class InputDialog : public QDialog {
    Q_OBJECT
  public:
    explicit InputDialog(QWidget* parent = nullptr);

    // The second label and field (hidden for find and for watches).
    void showSecondField(bool shown);
    // The two option buttons (shown for watches only).
    void showOptions(bool shown);
    // Puts a text into Text1 with the caret at its end.
    void setFirstText(const QString& text);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QPushButton* Command1 = nullptr; // "O K"
    QPushButton* Command2 = nullptr; // "ｷｬﾝｾﾙ"
    QString tag;
};

} // namespace korvelin
