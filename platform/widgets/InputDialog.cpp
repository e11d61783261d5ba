#include "platform/widgets/InputDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvelin {

InputDialog::InputDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InputDialog"));
    setWindowTitle(QStringLiteral("文字列の置換"));
    Label1 = new QLabel(QStringLiteral("置換前の文字列:"), this);
    Text1 = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("置換後の文字列:"), this);
    Text2 = new QLineEdit(this);
    Option1 = new QRadioButton(QStringLiteral("式の値が False→True に変化した時に中断"), this);
    Option2 = new QRadioButton(QStringLiteral("式の値が変化した時に中断"), this);
    Command1 = new QPushButton(QStringLiteral("O K"), this);
    Command2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Text2->setObjectName(QStringLiteral("Text2"));
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Option1->setChecked(true);
    Command1->setDefault(true);
    Text1->setMinimumWidth(320);

    auto* fields = new QVBoxLayout;
    fields->addWidget(Label1);
    fields->addWidget(Text1);
    fields->addWidget(Label2);
    fields->addWidget(Text2);
    fields->addWidget(Option1);
    fields->addWidget(Option2);
    fields->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    showOptions(false);

    connect(Command1, &QPushButton::clicked, this, [this] {
        tag = QStringLiteral("OK");
        accept();
    });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void InputDialog::showSecondField(bool shown) {
    Label2->setVisible(shown);
    Text2->setVisible(shown);
}

void InputDialog::showOptions(bool shown) {
    Option1->setVisible(shown);
    Option2->setVisible(shown);
}

void InputDialog::setFirstText(const QString& text) {
    Text1->setText(text);
    Text1->setCursorPosition(static_cast<int>(text.size()));
}

} // namespace korvelin
