#include "debugger/CallHistory.h"

#include "interpreter/Interpreter.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace korvelin {

namespace {

// The decimal form with its leading blank, as BASIC's STR$ writes it.
QString withSign(int n) {
    return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n);
}

} // namespace

std::vector<CallHistoryRow> callHistoryRows(const Interpreter& in) {
    std::vector<CallHistoryRow> rows;
    // At a break the top entry is the break's own: the statement where the
    // program stands, which is no call.
    int top = in.control.controlTop;
    if (in.events.pendingEvent == EventBreak) --top;
    for (int level = 0; level <= top; ++level) {
        const int slot = in.control.levelStatement[static_cast<std::size_t>(level)];
        if (slot < 0 || slot >= StatementSlots) continue;
        const StatementSlot& s = in.statements[slot];
        QString text = QString::fromStdU16String(s.text.text);
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        const QString number = withSign(level + 1).right(2);
        const QString line = (QStringLiteral("   ") + withSign(s.key / 100)).right(5);
        rows.push_back(
            {number + QStringLiteral(" : ") + line + QStringLiteral("  ") + text, s.lineOffset + s.column});
    }
    return rows;
}

CallHistoryWindow::CallHistoryWindow(std::vector<CallHistoryRow> rows, Jump jump, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), jump_(std::move(jump)) {
    setObjectName(QStringLiteral("CallHistoryWindow"));
    setWindowTitle(QStringLiteral("コール ヒストリ"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    List1->setFont(font);
    for (const CallHistoryRow& row : rows_)
        List1->addItem(row.text);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    resize(480, 200);
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { jumpTo(List1->row(item)); });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        jumpTo(List1->row(item));
        accept();
    });
}

void CallHistoryWindow::jumpTo(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !jump_) return;
    jump_(rows_[static_cast<std::size_t>(row)].statementOffset);
}

} // namespace korvelin
