#include "debugger/WatchWindow.h"

#include "interpreter/Interpreter.h"
#include "interpreter/statements/Statements.h"
#include "platform/widgets/InputDialog.h"
#include "platform/widgets/UserDialogs.h"
#include "values/InterpreterError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvelin {

namespace {

QString rightTrimmed(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace

WatchWindow::WatchWindow(Interpreter& interpreter, UserDialogs& dialogs, QWidget* dialogParent)
    : QWidget(nullptr, Qt::Window), interpreter_(interpreter), dialogs_(dialogs),
      dialogParent_(dialogParent) {
    setObjectName(QStringLiteral("WatchWindow"));
    setWindowTitle(QStringLiteral("ウォッチ式"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    Command1 = new QPushButton(QStringLiteral("追 加"), this);
    Command2 = new QPushButton(QStringLiteral("編 集"), this);
    Command3 = new QPushButton(QStringLiteral("削 除"), this);
    Command4 = new QPushButton(QStringLiteral("全削除"), this);
    Command5 = new QPushButton(QStringLiteral("終 了"), this);
    auto* buttons = new QVBoxLayout;
    int number = 1;
    for (QPushButton* button : {Command1, Command2, Command3, Command4, Command5}) {
        button->setObjectName(QStringLiteral("Command%1").arg(number++));
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(420, 220);

    connect(Command1, &QPushButton::clicked, this, &WatchWindow::AddWatch);
    connect(Command2, &QPushButton::clicked, this, &WatchWindow::EditWatch);
    connect(Command3, &QPushButton::clicked, this, &WatchWindow::DeleteWatch);
    connect(Command4, &QPushButton::clicked, this, &WatchWindow::ClearWatches);
    connect(Command5, &QPushButton::clicked, this, &QWidget::hide);
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { EditWatch(); });
}

QWidget* WatchWindow::dialogParent() const {
    return isVisible() ? const_cast<WatchWindow*>(this) : dialogParent_;
}

bool WatchWindow::askForWatch(const QString& caption, QString& text, std::int16_t& mode) {
    InputDialog dialog(dialogParent());
    dialog.setWindowTitle(caption);
    dialog.Label1->setText(QStringLiteral("ウォッチ式："));
    dialog.showSecondField(false);
    dialog.showOptions(true);
    dialog.Command1->setDefault(true);
    dialog.setFirstText(text);
    dialog.Option1->setChecked(mode == WatchBreakOnTrue);
    dialog.Option2->setChecked(mode != WatchBreakOnTrue);
    dialogs_.showModal(dialog);
    const QString typed = rightTrimmed(dialog.Text1->text());
    if (dialog.tag != QLatin1String("OK") || typed.isEmpty()) return false;
    text = typed;
    mode = dialog.Option1->isChecked() ? WatchBreakOnTrue : WatchBreakOnChange;
    return true;
}

void WatchWindow::AddWatch() {
    if (watches.full()) {
        dialogs_.message(dialogParent(), QMessageBox::Warning,
                         QStringLiteral("ウォッチ式は %1 個までです。").arg(WatchExpressions::capacity));
        return;
    }
    QString text;
    std::int16_t mode = WatchBreakOnTrue;
    if (!askForWatch(QStringLiteral("ウォッチ式の追加"), text, mode)) return;
    watches.add(text.toStdU16String(), mode);
    List1->addItem(text);
    CompileWatches();
}

int WatchWindow::selectedOrFirst() {
    if (List1->currentRow() < 0) List1->setCurrentRow(0);
    return List1->currentRow();
}

void WatchWindow::EditWatch() {
    if (watches.empty()) return;
    const int index = selectedOrFirst();
    QString text = QString::fromStdU16String(watches.text(index));
    std::int16_t mode = watches.mode(index);
    if (!askForWatch(QStringLiteral("ウォッチ式の編集"), text, mode)) return;
    watches.replace(index, text.toStdU16String(), mode);
    List1->item(index)->setText(text);
    CompileWatches();
}

void WatchWindow::DeleteWatch() {
    if (watches.empty()) return;
    const int index = selectedOrFirst();
    watches.remove(index);
    delete List1->takeItem(index);
    CompileWatches();
}

void WatchWindow::ClearWatches() {
    watches.clear();
    List1->clear();
}

void WatchWindow::CompileWatches() {
    int number = 0;
    try {
        watches.compile(interpreter_);
    } catch (const InterpreterError& error) {
        number = error.number();
    } catch (const HostFailure& failure) {
        number = mapHostFailure(failure.kind());
    }
    if (number != 0) interpreter_.reportError(-1, number, {});
}

void WatchWindow::showWatch(int index) {
    List1->setCurrentRow(index);
    show();
    raise();
}

} // namespace korvelin
