#pragma once
// The printer-font dialog "プリンタフォントの設定": a font from the
// system's list, its size (a scroll bar from 100 at the top to 1 at the
// bottom), the writing direction (vertical only for fonts that cover
// Japanese), bold and italic, with a sample. O K stores the choice into
// the settings record as the settings file keeps it.

#include "platform/Settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace korvelin {

class PrinterFontDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrinterFontDialog(PrinterFontSettings& settings, QWidget* parent = nullptr);

    // The fonts the list offers: every family without a leading at-sign,
    // with the Japanese names that stand for the IPA fonts first.
    static QStringList printerFonts();
    // Whether a font has a vertical variant (it covers Japanese).
    static bool hasVerticalVariant(const QString& family);

    QComboBox* Combo1 = nullptr;
    QListWidget* List1 = nullptr; // hidden: per font, "-1" when it has no vertical variant
    QLineEdit* Text1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr; // 横書き
    QRadioButton* Option2 = nullptr; // 縦書き
    QCheckBox* Check1 = nullptr;     // ボールド
    QCheckBox* Check2 = nullptr;     // イタリック
    QLabel* Label1 = nullptr;        // the sample
    QPushButton* Command1 = nullptr; // O K
    QPushButton* Command2 = nullptr; // ｷｬﾝｾﾙ

  public slots:
    void Combo1_Click();
    void VScroll1_Change();
    void Command1_Click();
    void Command2_Click();

  private:
    void showSample();

    PrinterFontSettings& settings_;
};

} // namespace korvelin
