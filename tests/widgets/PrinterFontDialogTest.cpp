// The printer-font dialog: the font list, the size scroll bar, the
// direction that only Japanese fonts may turn vertical, O K and ｷｬﾝｾﾙ.

#include "platform/widgets/PrinterFontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace korvelin {
namespace {

TEST(PrinterFontDialog, ControlsStartFromTheSettings) {
    PrinterFontSettings settings;
    settings.PrinterFontSize = QStringLiteral("9");
    settings.PrinterFontBold = QStringLiteral("True");
    settings.PrinterFontVertical = QStringLiteral("True");
    PrinterFontDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("プリンタフォントの設定"));
    EXPECT_EQ(dialog.Frame1->title(), QStringLiteral("文字の方向"));
    EXPECT_EQ(dialog.Option1->text(), QStringLiteral("横書き"));
    EXPECT_EQ(dialog.Option2->text(), QStringLiteral("縦書き"));
    EXPECT_EQ(dialog.Check1->text(), QStringLiteral("ボールド"));
    EXPECT_EQ(dialog.Check2->text(), QStringLiteral("イタリック"));
    EXPECT_EQ(dialog.Command1->text(), QStringLiteral("O K"));
    EXPECT_EQ(dialog.Command2->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_TRUE(dialog.Label1->text().remove(QLatin1Char('\n')) == QStringLiteral("漢字入力ABCD"));
    // The stand-in for the Japanese name is installed with the application.
    ASSERT_EQ(dialog.Combo1->currentText(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(dialog.Combo1->count(), dialog.List1->count());
    EXPECT_TRUE(dialog.List1->isHidden());
    EXPECT_EQ(dialog.Text1->text(), QStringLiteral("   9"));
    EXPECT_TRUE(dialog.Option2->isChecked() && dialog.Option2->isEnabled());
    EXPECT_TRUE(dialog.Check1->isChecked());
    EXPECT_FALSE(dialog.Check2->isChecked());
    for (int i = 0; i < dialog.Combo1->count(); ++i)
        EXPECT_FALSE(dialog.Combo1->itemText(i).startsWith(QLatin1Char('@')));
    // 100 sits at the top end of the bar.
    EXPECT_TRUE(dialog.VScroll1->invertedAppearance());
    EXPECT_EQ(dialog.VScroll1->maximum(), 100);
    EXPECT_EQ(dialog.VScroll1->minimum(), 1);
}

TEST(PrinterFontDialog, FontsWithoutAVerticalVariantWriteAcross) {
    PrinterFontSettings settings;
    settings.PrinterFontVertical = QStringLiteral("True");
    PrinterFontDialog dialog(settings);
    int latin = -1;
    for (int i = 0; i < dialog.Combo1->count(); ++i)
        if (dialog.List1->item(i)->text() == QStringLiteral("-1")) latin = i;
    if (latin < 0) GTEST_SKIP() << "every installed font covers Japanese";
    dialog.Combo1->setCurrentIndex(latin);
    EXPECT_TRUE(dialog.Option1->isChecked());
    EXPECT_FALSE(dialog.Option2->isEnabled());
    dialog.Combo1->setCurrentIndex(0); // ＭＳ 明朝 again
    EXPECT_TRUE(dialog.Option2->isEnabled());
}

TEST(PrinterFontDialog, OkStoresTheChoiceAsTextAndCancelKeepsIt) {
    PrinterFontSettings settings;
    {
        PrinterFontDialog dialog(settings);
        dialog.VScroll1->setValue(100);
        EXPECT_EQ(dialog.Text1->text(), QStringLiteral(" 100"));
        dialog.Check2->setChecked(true);
        dialog.Option2->setChecked(true);
        dialog.Command2->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(settings.PrinterFontSize, QStringLiteral("12"));
    EXPECT_EQ(settings.PrinterFontItalic, QStringLiteral("False"));
    PrinterFontDialog dialog(settings);
    dialog.VScroll1->setValue(24);
    dialog.Check2->setChecked(true);
    dialog.Option2->setChecked(true);
    dialog.Command1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.PrinterFontName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(settings.PrinterFontSize, QStringLiteral("24"));
    EXPECT_EQ(settings.PrinterFontVertical, QStringLiteral("True"));
    EXPECT_EQ(settings.PrinterFontBold, QStringLiteral("False"));
    EXPECT_EQ(settings.PrinterFontItalic, QStringLiteral("True"));
}

} // namespace
} // namespace korvelin
