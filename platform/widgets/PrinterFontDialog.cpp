#include "platform/widgets/PrinterFontDialog.h"

#include "devices/PrinterFont.h"
#include "screen/ScreenState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace korvelin {

namespace {

const QString sampleText = QStringLiteral("漢字入力ABCD");

QString trueOrFalse(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// The installed family a name stands for (the Japanese names map to the
// IPA fonts; the substitution table keeps its names in lower case).
QString installedFamily(const QString& name) {
    const QString standIn = QFont::substitute(name);
    for (const QString& family : QFontDatabase::families())
        if (family.compare(standIn, Qt::CaseInsensitive) == 0) return family;
    return {};
}

} // namespace

QStringList PrinterFontDialog::printerFonts() {
    installFontSubstitutions();
    QStringList fonts;
    const QStringList families = QFontDatabase::families();
    // The Japanese names are what programs and settings files use.
    for (const QString& name : {QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ ゴシック")}) {
        if (!installedFamily(name).isEmpty()) fonts << name;
    }
    for (const QString& family : families)
        if (!family.startsWith(QLatin1Char('@')) && !fonts.contains(family)) fonts << family;
    return fonts;
}

bool PrinterFontDialog::hasVerticalVariant(const QString& family) {
    const QString installed = installedFamily(family);
    return !installed.isEmpty() && QFontDatabase::writingSystems(installed).contains(QFontDatabase::Japanese);
}

PrinterFontDialog::PrinterFontDialog(PrinterFontSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("PrinterFontDialog"));
    setWindowTitle(QStringLiteral("プリンタフォントの設定"));
    setModal(true);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->hide();
    const QStringList fonts = printerFonts();
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        Combo1->addItem(fonts[i]);
        List1->addItem(hasVerticalVariant(fonts[i]) ? QString::number(i) : QStringLiteral("-1"));
    }
    const qsizetype current = fonts.indexOf(settings.PrinterFontName);
    if (current >= 0) Combo1->setCurrentIndex(static_cast<int>(current));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAlignment(Qt::AlignRight);
    Text1->setMaxLength(4);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    // 100 at the top end, 1 at the bottom end.
    VScroll1->setRange(1, 100);
    VScroll1->setInvertedAppearance(true);
    VScroll1->setInvertedControls(true);
    const int size = static_cast<int>(applyPrinterFont(settings).pointSize);
    VScroll1->setValue(std::clamp(size, 1, 100));

    Frame1 = new QGroupBox(QStringLiteral("文字の方向"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option1 = new QRadioButton(QStringLiteral("横書き"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("縦書き"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    auto* direction = new QVBoxLayout(Frame1);
    direction->addWidget(Option1);
    direction->addWidget(Option2);
    (settingIsTrue(settings.PrinterFontVertical) ? Option2 : Option1)->setChecked(true);

    Check1 = new QCheckBox(QStringLiteral("ボールド"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(settingIsTrue(settings.PrinterFontBold));
    Check2 = new QCheckBox(QStringLiteral("イタリック"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setChecked(settingIsTrue(settings.PrinterFontItalic));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumSize(260, 120);
    Label1->setFrameShape(QFrame::Box);

    Command1 = new QPushButton(QStringLiteral("O K"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Combo1, 0, 0, 1, 3);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(Text1);
    sizeRow->addWidget(VScroll1);
    grid->addLayout(sizeRow, 0, 3);
    grid->addWidget(Frame1, 1, 0);
    auto* styles = new QVBoxLayout;
    styles->addWidget(Check1);
    styles->addWidget(Check2);
    grid->addLayout(styles, 1, 1);
    grid->addWidget(Label1, 1, 2, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 2, 0, 1, 4);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &PrinterFontDialog::Combo1_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &PrinterFontDialog::VScroll1_Change);
    connect(Option1, &QRadioButton::toggled, this, &PrinterFontDialog::showSample);
    connect(Check1, &QCheckBox::toggled, this, &PrinterFontDialog::showSample);
    connect(Check2, &QCheckBox::toggled, this, &PrinterFontDialog::showSample);
    connect(Command1, &QPushButton::clicked, this, &PrinterFontDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PrinterFontDialog::Command2_Click);
    VScroll1_Change();
    Combo1_Click();
}

void PrinterFontDialog::Combo1_Click() {
    const int index = Combo1->currentIndex();
    const bool vertical =
        index >= 0 && index < List1->count() && List1->item(index)->text() != QStringLiteral("-1");
    if (!vertical) Option1->setChecked(true);
    Option2->setEnabled(vertical);
    showSample();
}

void PrinterFontDialog::VScroll1_Change() {
    Text1->setText(QStringLiteral("%1").arg(VScroll1->value(), 4));
    showSample();
}

void PrinterFontDialog::showSample() {
    QFont font(Combo1->currentText());
    font.setPointSize(std::clamp(VScroll1->value(), 1, 40)); // the sample stays inside its box
    font.setBold(Check1->isChecked());
    font.setItalic(Check2->isChecked());
    Label1->setFont(font);
    // Vertical writing: the characters one below the other.
    Label1->setText(Option2->isChecked()
                        ? QStringList(sampleText.split(QString(), Qt::SkipEmptyParts)).join(QLatin1Char('\n'))
                        : sampleText);
}

void PrinterFontDialog::Command1_Click() {
    settings_.PrinterFontName = Combo1->currentText();
    QString size = Text1->text();
    while (size.startsWith(QLatin1Char(' ')))
        size.remove(0, 1);
    settings_.PrinterFontSize = size;
    settings_.PrinterFontVertical = trueOrFalse(Option2->isChecked());
    settings_.PrinterFontBold = trueOrFalse(Check1->isChecked());
    settings_.PrinterFontItalic = trueOrFalse(Check2->isChecked());
    accept();
}

void PrinterFontDialog::Command2_Click() {
    reject();
}

} // namespace korvelin
