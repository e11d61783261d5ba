#include "help/StatementDetailWindow.h"

#include "help/StatementListWindow.h"
#include "platform/widgets/BringToFront.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvelin {

namespace {

// Records are 80 single-width cells; a fixed-pitch Japanese font keeps
// the syntax lines and the examples aligned as they were written.
QFont recordFont() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    return font;
}

} // namespace

StatementDetailWindow::StatementDetailWindow(StatementListWindow& list, QWidget* parent)
    : QWidget(parent, Qt::Window), list_(list) {
    setObjectName(QStringLiteral("StatementDetailWindow"));
    setWindowTitle(QStringLiteral("命令と関数の詳細"));
    auto* layout = new QVBoxLayout(this);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setFont(recordFont());
    layout->addWidget(Text1);

    auto* buttons = new QHBoxLayout;
    const std::pair<QPushButton**, const char16_t*> captions[] = {{&Command1, u"複 写"},
                                                                  {&Command2, u"一 覧"},
                                                                  {&Command3, u"前 へ"},
                                                                  {&Command4, u"次 へ"},
                                                                  {&Command5, u"ｷｬﾝｾﾙ"}};
    int number = 1;
    for (const auto& [button, caption] : captions) {
        *button = new QPushButton(QString::fromUtf16(caption), this);
        (*button)->setObjectName(QStringLiteral("Command%1").arg(number++));
        buttons->addWidget(*button);
    }
    layout->addLayout(buttons);
    resize(QFontMetrics(recordFont()).horizontalAdvance(QString(84, QLatin1Char('0'))) + 40, 460);

    connect(Command1, &QPushButton::clicked, this, &StatementDetailWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &StatementDetailWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &StatementDetailWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &StatementDetailWindow::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &StatementDetailWindow::Command5_Click);
}

void StatementDetailWindow::showDetail() {
    bringToFront(*this);
    Form_Activate();
}

void StatementDetailWindow::Form_Activate() {
    const int entry = list_.selectedEntry();
    if (entry > 0) showEntry(entry);
}

void StatementDetailWindow::showEntry(int entry) {
    if (entry == shownEntry_) return;
    ReferenceFiles& files = list_.files();
    if (entry < 1 || entry > files.entryCount()) return;
    const QString text = files.entryText(entry);
    if (text.isEmpty()) {
        // The records could not be read: say which file, and try again next time.
        Text1->setPlainText(files.error());
        shownEntry_ = 0;
        return;
    }
    // The control shows one line per paragraph break; the text keeps CR LF.
    Text1->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    shownEntry_ = entry;
}

void StatementDetailWindow::Command1_Click() {
    list_.insertSelectedName();
}

void StatementDetailWindow::Command2_Click() {
    hide();
    list_.showList(list_.Tag);
}

void StatementDetailWindow::Command3_Click() {
    const int entry = shownEntry_ - 1;
    if (shownEntry_ == 0 || entry < 1) return;
    showEntry(entry);
    list_.selectEntry(entry);
}

void StatementDetailWindow::Command4_Click() {
    const int entry = shownEntry_ + 1;
    if (shownEntry_ == 0 || entry > list_.files().entryCount()) return;
    showEntry(entry);
    list_.selectEntry(entry);
}

void StatementDetailWindow::Command5_Click() {
    hide();
}

} // namespace korvelin
