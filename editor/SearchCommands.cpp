// Find and replace as the editor's menu commands, with the shared input
// dialog and a confirmation for every occurrence.

#include "editor/EditorWindow.h"

#include "editor/FindReplace.h"
#include "editor/ProgramEditor.h"
#include "platform/widgets/InputDialog.h"
#include "platform/widgets/UserDialogs.h"

#include <QLabel>
#include <QLineEdit>

namespace korvelin {

namespace {

const QString findTitle = QStringLiteral("文字列の検索");
const QString replaceTitle = QStringLiteral("文字列の置換");

// The edit control as the search sees it. The selection stays visible
// while a question box has the focus (the inactive palette keeps the
// active highlight).
class EditorDocument : public SearchDocument {
  public:
    explicit EditorDocument(ProgramEditor& editor) : editor_(editor) {
        QPalette palette = editor_.palette();
        saved_ = palette;
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
        editor_.setPalette(palette);
    }
    ~EditorDocument() override { editor_.setPalette(saved_); }
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    QString text() const override { return editor_.toPlainText(); }
    void select(int position, int length) override {
        QTextCursor cursor = editor_.textCursor();
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        editor_.setTextCursor(cursor);
        editor_.ensureCursorVisible();
    }
    void replaceSelection(const QString& replacement) override {
        editor_.textCursor().insertText(replacement);
    }

  private:
    ProgramEditor& editor_;
    QPalette saved_;
};

} // namespace

void EditorWindow::menu_find_Click() {
    InputDialog dialog(this);
    dialog.setWindowTitle(findTitle);
    dialog.Label1->setText(QStringLiteral("検索する文字列"));
    dialog.showSecondField(false);
    dialog.setFirstText(RichTextBox1->textCursor().selectedText());
    dialogs_.showModal(dialog);
    if (dialog.tag != QLatin1String("OK")) return;
    const QString searchText = searchTextOf(dialog.Text1->text());
    EditorDocument document(*RichTextBox1);
    const int hits =
        findOccurrences(document, RichTextBox1->textCursor().selectionStart(), searchText, [this] {
            const auto answer = dialogs_.ask(this, findTitle, QStringLiteral("次の文字列を検索しますか？"),
                                             QMessageBox::Yes | QMessageBox::No);
            return answer == QMessageBox::Yes ? SearchAnswer::Yes : SearchAnswer::No;
        });
    if (hits > 0)
        dialogs_.inform(this, findTitle, QStringLiteral(" %1 個の文字列を検索しました。").arg(hits));
}

void EditorWindow::menu_replace_Click() {
    InputDialog dialog(this);
    dialog.showSecondField(true);
    dialog.setFirstText(RichTextBox1->textCursor().selectedText());
    dialogs_.showModal(dialog);
    if (dialog.tag != QLatin1String("OK")) return;
    const QString searchText = searchTextOf(dialog.Text1->text());
    EditorDocument document(*RichTextBox1);
    const int hits = replaceOccurrences(
        document, RichTextBox1->textCursor().selectionStart(), searchText, dialog.Text2->text(), [this] {
            const auto answer =
                dialogs_.ask(this, replaceTitle, QStringLiteral("選択された文字列を置換しますか？"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (answer == QMessageBox::Yes) return SearchAnswer::Yes;
            if (answer == QMessageBox::No) return SearchAnswer::No;
            return SearchAnswer::Cancel;
        });
    if (hits > 0)
        dialogs_.inform(this, replaceTitle, QStringLiteral(" %1 個の文字列を置換しました。").arg(hits));
}

} // namespace korvelin
