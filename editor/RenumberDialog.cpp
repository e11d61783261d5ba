#include "editor/RenumberDialog.h"

#include "editor/LineNumberTools.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvelin {

RenumberDialog::RenumberDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RenumberDialog"));
    setWindowTitle(QStringLiteral("行番号の付け直し"));
    Label1 = new QLabel(QStringLiteral("新行番号"), this);
    Text1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("旧行番号"), this);
    Text2 = new QLineEdit(this);
    Label3 = new QLabel(QStringLiteral("増 加 分"), this);
    Text3 = new QLineEdit(QStringLiteral("10"), this);
    Command1 = new QPushButton(QStringLiteral("O K"), this);
    Command2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2->setObjectName(QStringLiteral("Text2"));
    Text3->setObjectName(QStringLiteral("Text3"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Text1, 0, 1);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Text2, 1, 1);
    layout->addWidget(Label3, 2, 0);
    layout->addWidget(Text3, 2, 1);
    layout->addWidget(Command1, 0, 2);
    layout->addWidget(Command2, 1, 2);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &RenumberDialog::acceptValues);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void RenumberDialog::useForAutoNumbering() {
    setWindowTitle(QStringLiteral("行番号の自動生成"));
    Label2->hide();
    Text2->hide();
    oldNumberShown_ = false;
}

void RenumberDialog::acceptValues() {
    const auto newNumber = leadingNumber(Text1->text().toStdU16String());
    const auto oldNumber = leadingNumber(Text2->text().toStdU16String());
    const auto step = leadingNumber(Text3->text().toStdU16String());
    if (!newNumber || *newNumber <= 0 || !step || *step <= 0) return;
    if (oldNumberShown_ && (!oldNumber || *oldNumber < 0)) return;
    newNumber_ = static_cast<std::int32_t>(*newNumber);
    oldNumber_ = oldNumberShown_ ? static_cast<std::int32_t>(*oldNumber) : 0;
    step_ = static_cast<std::int32_t>(*step);
    result = QStringLiteral("OK");
    accept();
}

} // namespace korvelin
