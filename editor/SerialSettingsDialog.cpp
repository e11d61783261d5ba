#include "editor/SerialSettingsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvelin {

namespace {

template <std::size_t N>
QGroupBox* frame(const QString& title, std::array<QRadioButton*, N>& options,
                 std::initializer_list<const char16_t*> labels, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    std::size_t i = 0;
    for (const char16_t* label : labels) {
        options[i] = new QRadioButton(QString::fromUtf16(label), box);
        group->addButton(options[i]);
        layout->addWidget(options[i]);
        ++i;
    }
    return box;
}

} // namespace

SerialSettingsDialog::SerialSettingsDialog(SerialPortSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("通信の設定"));
    setModal(true);
    auto* top = new QVBoxLayout(this);
    auto* lists = new QFormLayout;
    Combo1 = new QComboBox(this);
    for (int port = 1; port <= 4; ++port)
        Combo1->addItem(QStringLiteral("COM%1").arg(port));
    Combo2 = new QComboBox(this);
    for (const char* speed : serialSpeeds())
        Combo2->addItem(QLatin1String(speed));
    lists->addRow(QStringLiteral("通信ﾎﾟｰﾄ"), Combo1);
    lists->addRow(QStringLiteral("通信速度"), Combo2);
    top->addLayout(lists);

    auto* frames = new QHBoxLayout;
    frames->addWidget(frame(QStringLiteral("ｷｬﾗｸﾀ長"), Option3D1, {u"8ﾋﾞｯﾄ", u"7ﾋﾞｯﾄ"}, this));
    frames->addWidget(frame(QStringLiteral("ｽﾄｯﾌﾟﾋﾞｯﾄ"), Option3D2, {u"1ﾋﾞｯﾄ", u"1.5ﾋﾞｯﾄ", u"2ﾋﾞｯﾄ"}, this));
    frames->addWidget(frame(QStringLiteral("ﾊﾟﾘﾃｨ"), Option3D3, {u"なし", u"偶数", u"奇数"}, this));
    auto* flow = new QGroupBox(QStringLiteral("ﾌﾛｰ制御"), this);
    auto* flowLayout = new QVBoxLayout(flow);
    Check3D1 = {new QCheckBox(QStringLiteral("XON/XOFF"), flow),
                new QCheckBox(QStringLiteral("RTS/CTS"), flow)};
    for (QCheckBox* check : Check3D1)
        flowLayout->addWidget(check);
    frames->addWidget(flow);
    top->addLayout(frames);

    sendCrCheck = new QCheckBox(QStringLiteral("送信CR→CR/LF"), this);
    receiveCrCheck = new QCheckBox(QStringLiteral("受信CR→CR/LF"), this);
    ignoreLfCheck = new QCheckBox(QStringLiteral("受信LF無視"), this);
    for (QCheckBox* check : {sendCrCheck, receiveCrCheck, ignoreLfCheck})
        top->addWidget(check);

    auto* buttons = new QHBoxLayout;
    cmdOK = new QPushButton(QStringLiteral("了解"), this);
    cmdCAN = new QPushButton(QStringLiteral("取消"), this);
    cmdOK->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCAN);
    top->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &SerialSettingsDialog::cmdOK_Click);
    connect(cmdCAN, &QPushButton::clicked, this, &SerialSettingsDialog::cmdCAN_Click);
    showSettings();
}

void SerialSettingsDialog::showSettings() {
    Combo1->setCurrentIndex(settings_.portIndex);
    Combo2->setCurrentIndex(settings_.speedIndex);
    Option3D1[settings_.dataBits == 1 ? 0 : 1]->setChecked(true);
    Option3D2[static_cast<std::size_t>(settings_.stopBits)]->setChecked(true);
    Option3D3[static_cast<std::size_t>(settings_.parity)]->setChecked(true);
    Check3D1[0]->setChecked(settings_.flowControl & 1);
    Check3D1[1]->setChecked(settings_.flowControl & 2);
    sendCrCheck->setChecked(settings_.sendCrToCrLf);
    receiveCrCheck->setChecked(settings_.receiveCrToCrLf);
    ignoreLfCheck->setChecked(settings_.ignoreReceivedLf);
}

void SerialSettingsDialog::cmdOK_Click() {
    // A list with no selection leaves its setting as it was.
    if (Combo1->currentIndex() >= 0) settings_.portIndex = Combo1->currentIndex();
    if (Combo2->currentIndex() >= 0) settings_.speedIndex = Combo2->currentIndex();
    settings_.dataBits = Option3D1[0]->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < Option3D2.size(); ++i)
        if (Option3D2[i]->isChecked()) settings_.stopBits = static_cast<int>(i);
    for (std::size_t i = 0; i < Option3D3.size(); ++i)
        if (Option3D3[i]->isChecked()) settings_.parity = static_cast<int>(i);
    settings_.flowControl = (Check3D1[0]->isChecked() ? 1 : 0) | (Check3D1[1]->isChecked() ? 2 : 0);
    settings_.sendCrToCrLf = sendCrCheck->isChecked();
    settings_.receiveCrToCrLf = receiveCrCheck->isChecked();
    settings_.ignoreReceivedLf = ignoreLfCheck->isChecked();
    accept();
}

void SerialSettingsDialog::cmdCAN_Click() {
    reject();
}

} // namespace korvelin
