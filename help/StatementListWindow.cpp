#include "help/StatementListWindow.h"

#include "help/KeywordAtCaret.h"
#include "help/StatementDetailWindow.h"
#include "platform/widgets/BringToFront.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace korvelin {

namespace {

QPushButton* addButton(QWidget* parent, QLayout* layout, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    layout->addWidget(button);
    return button;
}

QListWidget* addList(QWidget* parent, QLayout* layout, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    layout->addWidget(list);
    return list;
}

} // namespace

StatementListWindow::StatementListWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("StatementListWindow"));
    setWindowTitle(QStringLiteral("命令と関数の一覧"));
    auto* layout = new QVBoxLayout(this);

    auto* options = new QHBoxLayout;
    Option1 = new QRadioButton(QStringLiteral("命令"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("関数"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addStretch();
    layout->addLayout(options);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->hide();
    layout->addWidget(Label1);
    List1 = addList(this, layout, "List1");
    List2 = addList(this, layout, "List2");
    List2->hide();

    auto* buttons = new QHBoxLayout;
    Command1 = addButton(this, buttons, "Command1", QStringLiteral("複 写"));
    Command2 = addButton(this, buttons, "Command2", QStringLiteral("説 明"));
    Command3 = addButton(this, buttons, "Command3", QStringLiteral("ｷｬﾝｾﾙ"));
    layout->addLayout(buttons);
    resize(260, 420);

    detail_ = new StatementDetailWindow(*this, parent);

    connect(Option1, &QRadioButton::clicked, this, &StatementListWindow::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &StatementListWindow::Option2_Click);
    connect(Command1, &QPushButton::clicked, this, &StatementListWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &StatementListWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &StatementListWindow::Command3_Click);
    for (QListWidget* list : {List1, List2})
        connect(list, &QListWidget::itemDoubleClicked, this, &StatementListWindow::Command1_Click);
}

StatementListWindow::~StatementListWindow() {
    // The detail window has the list's parent, not the list, as its own.
    delete detail_;
}

void StatementListWindow::Form_Load() {
    if (!files_.load(appDirectory_)) {
        showFailure(files_.error());
        return;
    }
    Label1->hide();
    Option1->show();
    Option2->show();
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    List1->clear();
    List2->clear();
    List1->addItems(files_.statementNames());
    List2->addItems(files_.functionNames());
    Option1->setChecked(true);
    Option1_Click();
    if (List1->count() > 0) List1->setCurrentRow(0);
}

void StatementListWindow::showFailure(const QString& message) {
    Label1->setText(message);
    Label1->show();
    for (QWidget* w : {static_cast<QWidget*>(List1), static_cast<QWidget*>(List2),
                       static_cast<QWidget*>(Option1), static_cast<QWidget*>(Option2)})
        w->hide();
    Command1->setEnabled(false);
    Command2->setEnabled(false);
}

void StatementListWindow::showList(const QString& tag, const QPlainTextEdit* caretSource) {
    Tag = tag;
    // A reference that could not be read is tried again at the next showing.
    if (!files_.loaded()) Form_Load();
    if (files_.loaded()) preselect(caretSource);
    bringToFront(*this);
}

void StatementListWindow::preselect(const QPlainTextEdit* caretSource) {
    if (!caretSource) return;
    const QTextCursor cursor = caretSource->textCursor();
    const KeywordAtCaret found = keywordAtCaret(cursor.block().text(), cursor.positionInBlock());
    if (found.word.isEmpty()) return;
    const int statement = static_cast<int>(files_.statementNames().indexOf(found.word));
    const int function = static_cast<int>(files_.functionNames().indexOf(found.word));
    const int asStatement = statement >= 0 ? statement + 1 : 0;
    const int asFunction = function >= 0 ? files_.statementNameCount() + function + 1 : 0;
    const int entry = found.statementPosition ? (asStatement ? asStatement : asFunction)
                                              : (asFunction ? asFunction : asStatement);
    if (entry) selectEntry(entry);
}

void StatementListWindow::hideAll() {
    detail_->hide();
    hide();
}

int StatementListWindow::selectedEntry() const {
    if (!files_.loaded()) return 0;
    if (Option2->isChecked()) {
        const int row = List2->currentRow();
        return row < 0 ? 0 : files_.statementNameCount() + row + 1;
    }
    const int row = List1->currentRow();
    return row < 0 ? 0 : row + 1;
}

void StatementListWindow::selectEntry(int entry) {
    if (entry < 1 || entry > files_.entryCount()) return;
    const int statements = files_.statementNameCount();
    if (entry <= statements) {
        Option1->setChecked(true);
        Option1_Click();
        List1->setCurrentRow(entry - 1);
    } else {
        Option2->setChecked(true);
        Option2_Click();
        List2->setCurrentRow(entry - statements - 1);
    }
}

QString StatementListWindow::selectedName() const {
    return files_.name(selectedEntry());
}

void StatementListWindow::insertSelectedName() {
    const QString name = selectedName();
    QPlainTextEdit* target = Tag == QLatin1String("PROG") ? programTarget_ : debugTarget_;
    if (name.isEmpty() || !target) return;
    QTextCursor cursor = target->textCursor();
    cursor.insertText(name);
    target->setTextCursor(cursor);
    QWidget* window = target->window();
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    target->setFocus();
}

void StatementListWindow::Option1_Click() {
    List2->hide();
    List1->show();
}

void StatementListWindow::Option2_Click() {
    List1->hide();
    List2->show();
}

void StatementListWindow::Command1_Click() {
    insertSelectedName();
}

void StatementListWindow::Command2_Click() {
    hide();
    detail_->showDetail();
}

void StatementListWindow::Command3_Click() {
    hide();
}

} // namespace korvelin
