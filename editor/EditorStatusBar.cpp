#include "editor/EditorStatusBar.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace korvelin {

LineEnds lineEndsOf(const QByteArray& bytes) {
    const qsizetype at = bytes.indexOf('\n');
    const qsizetype cr = bytes.indexOf('\r');
    if (cr >= 0 && (at < 0 || cr < at))
        return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? LineEnds::CrLf : LineEnds::Cr;
    return at >= 0 ? LineEnds::Lf : LineEnds::CrLf;
}

QString lineEndsName(LineEnds ends) {
    switch (ends) {
    case LineEnds::CrLf: return QStringLiteral("CR LF");
    case LineEnds::Lf: return QStringLiteral("LF");
    case LineEnds::Cr: return QStringLiteral("CR");
    }
    return {};
}

QString encodingName(ProgramEncoding encoding) {
    switch (encoding) {
    case ProgramEncoding::Cp932: return QStringLiteral("CP932");
    case ProgramEncoding::Utf8: return QStringLiteral("UTF-8");
    case ProgramEncoding::Utf8WithBom: return QStringLiteral("UTF-8 (BOM)");
    }
    return {};
}

EditorStatusBar::EditorStatusBar(QPlainTextEdit& edit, QWidget* parent)
    : QStatusBar(parent), edit_(edit), position_(new QLabel(this)), encoding_(new QLabel(this)),
      lineEnds_(new QLabel(this)) {
    setObjectName(QStringLiteral("StatusBar"));
    addPermanentWidget(position_);
    addPermanentWidget(encoding_);
    addPermanentWidget(lineEnds_);
    connect(&edit_, &QPlainTextEdit::cursorPositionChanged, this, &EditorStatusBar::showPosition);
    setFileFormat(ProgramEncoding::Cp932, LineEnds::CrLf);
    showPosition();
}

void EditorStatusBar::setFileFormat(ProgramEncoding encoding, LineEnds ends) {
    encoding_->setText(encodingName(encoding));
    lineEnds_->setText(lineEndsName(ends));
}

QString EditorStatusBar::positionText() const {
    return position_->text();
}

QString EditorStatusBar::formatText() const {
    return encoding_->text() + QLatin1Char(' ') + lineEnds_->text();
}

void EditorStatusBar::note(const QString& text) {
    showMessage(text, 10000);
}

void EditorStatusBar::showPosition() {
    const QTextCursor cursor = edit_.textCursor();
    position_->setText(
        QStringLiteral("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

} // namespace korvelin
