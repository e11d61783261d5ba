#include "editor/SerialSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace korvelin::testing {
namespace {

TEST(SerialSettingsDialog, ShowsTheRecordAndOkCopiesEveryControlBack) {
    SerialPortSettings settings;
    settings.applySettingsText(u"COM2:E72X");
    settings.applySpeedText(QStringLiteral("19200"));
    SerialSettingsDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("通信の設定"));
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM2"));
    EXPECT_EQ(dialog.Combo2->currentText(), QStringLiteral("19200"));
    EXPECT_TRUE(dialog.Option3D1[1]->isChecked()); // 7ﾋﾞｯﾄ
    EXPECT_TRUE(dialog.Option3D2[1]->isChecked()); // 1.5ﾋﾞｯﾄ
    EXPECT_TRUE(dialog.Option3D3[1]->isChecked()); // 偶数
    EXPECT_TRUE(dialog.Check3D1[0]->isChecked());
    EXPECT_FALSE(dialog.Check3D1[1]->isChecked());
    EXPECT_TRUE(dialog.receiveCrCheck->isChecked());

    dialog.Combo1->setCurrentIndex(3);
    dialog.Combo2->setCurrentIndex(0);
    dialog.Option3D1[0]->setChecked(true);
    dialog.Option3D2[2]->setChecked(true);
    dialog.Option3D3[2]->setChecked(true);
    dialog.Check3D1[1]->setChecked(true);
    dialog.sendCrCheck->setChecked(true);
    dialog.cmdOK->click();
    EXPECT_EQ(settings.settingsText(), u"COM4:O83D");
    EXPECT_EQ(settings.speedText(), QStringLiteral("1200"));
    EXPECT_TRUE(settings.sendCrToCrLf);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(SerialSettingsDialog, CancelLeavesTheRecordAsItWas) {
    SerialPortSettings settings;
    SerialSettingsDialog dialog(settings);
    EXPECT_EQ(dialog.cmdOK->text(), QStringLiteral("了解"));
    EXPECT_EQ(dialog.cmdCAN->text(), QStringLiteral("取消"));
    dialog.Combo1->setCurrentIndex(2);
    dialog.Option3D3[1]->setChecked(true);
    dialog.cmdCAN->click();
    EXPECT_EQ(settings.settingsText(), u"COM1:N81N");
}

} // namespace
} // namespace korvelin::testing
