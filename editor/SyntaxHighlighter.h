#pragma once
// Colours in the program text: line numbers, reserved words (the
// reserved-word table the interpreter uses), string constants and comments
// (REM and '). Each line is coloured on its own, so typing re-colours one
// line however long the program is.

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace korvelin {

class KeywordTable;

class SyntaxHighlighter : public QSyntaxHighlighter {
  public:
    SyntaxHighlighter(QTextDocument* document, const KeywordTable& words);

    enum class Part { Plain, LineNumber, Word, String, Comment };
    // What the character at `index` of a program line is coloured as.
    Part partAt(const QString& line, int index) const;

  protected:
    void highlightBlock(const QString& text) override;

  private:
    // Calls `paint(start, length, part)` for each coloured stretch of a line.
    template <typename Paint> void scan(const QString& line, Paint paint) const;
    bool isReserved(const QString& word) const;

    const KeywordTable& words_;
    QTextCharFormat lineNumber_, word_, string_, comment_;
};

} // namespace korvelin
