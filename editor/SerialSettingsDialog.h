#pragma once
// "通信の設定": the serial port's settings record, shown and edited.
// 了解 copies every control into the record; 取消 leaves it as it was.

#include "devices/SerialSettings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace korvelin {

class SerialSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SerialSettingsDialog(SerialPortSettings& settings, QWidget* parent = nullptr);

    QComboBox* Combo1;                      // 通信ﾎﾟｰﾄ
    QComboBox* Combo2;                      // 通信速度
    std::array<QRadioButton*, 2> Option3D1; // ｷｬﾗｸﾀ長: 8ﾋﾞｯﾄ, 7ﾋﾞｯﾄ
    std::array<QRadioButton*, 3> Option3D2; // ｽﾄｯﾌﾟﾋﾞｯﾄ
    std::array<QRadioButton*, 3> Option3D3; // ﾊﾟﾘﾃｨ
    std::array<QCheckBox*, 2> Check3D1;     // ﾌﾛｰ制御: XON/XOFF, RTS/CTS
    QCheckBox* sendCrCheck;
    QCheckBox* receiveCrCheck;
    QCheckBox* ignoreLfCheck;
    QPushButton* cmdOK;
    QPushButton* cmdCAN;

  public slots:
    void cmdOK_Click();
    void cmdCAN_Click();

  private:
    void showSettings();

    SerialPortSettings& settings_;
};

} // namespace korvelin
