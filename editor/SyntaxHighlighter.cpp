#include "editor/SyntaxHighlighter.h"

#include "values/ReservedWords.h"

namespace korvelin {

namespace {

bool isLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isTypeSuffix(QChar c) {
    return c == QLatin1Char('$') || c == QLatin1Char('%') || c == QLatin1Char('!') || c == QLatin1Char('#');
}

} // namespace

SyntaxHighlighter::SyntaxHighlighter(QTextDocument* document, const KeywordTable& words)
    : QSyntaxHighlighter(document), words_(words) {
    lineNumber_.setForeground(QColor(0x80, 0x80, 0x80));
    word_.setForeground(QColor(0x00, 0x00, 0xC0));
    word_.setFontWeight(QFont::Bold);
    string_.setForeground(QColor(0xA0, 0x30, 0x00));
    comment_.setForeground(QColor(0x00, 0x80, 0x00));
}

bool SyntaxHighlighter::isReserved(const QString& word) const {
    return words_.findReservedWord(word.toUpper().toStdU16String()) >= 0;
}

template <typename Paint> void SyntaxHighlighter::scan(const QString& line, Paint paint) const {
    const int n = static_cast<int>(line.size());
    int i = 0;
    while (i < n && line[i] == QLatin1Char(' '))
        ++i;
    const int numberStart = i;
    while (i < n && isDigit(line[i]))
        ++i;
    if (i > numberStart) paint(numberStart, i - numberStart, Part::LineNumber);
    while (i < n) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            const int close = static_cast<int>(line.indexOf(QLatin1Char('"'), i + 1));
            const int end = close < 0 ? n : close + 1;
            paint(i, end - i, Part::String);
            i = end;
        } else if (c == QLatin1Char('\'')) {
            paint(i, n - i, Part::Comment);
            return;
        } else if (isLetter(c)) {
            int end = i + 1;
            while (end < n && (isLetter(line[end]) || isDigit(line[end]) || line[end] == QLatin1Char('.')))
                ++end;
            const bool suffix = end < n && isTypeSuffix(line[end]);
            const QString word = line.mid(i, end - i);
            if (word.compare(QLatin1String("REM"), Qt::CaseInsensitive) == 0) {
                paint(i, n - i, Part::Comment);
                return;
            }
            if (suffix && isReserved(line.mid(i, end + 1 - i))) {
                paint(i, end + 1 - i, Part::Word);
                i = end + 1;
            } else {
                if (isReserved(word)) paint(i, end - i, Part::Word);
                i = end;
            }
        } else {
            ++i;
        }
    }
}

void SyntaxHighlighter::highlightBlock(const QString& text) {
    scan(text, [this](int start, int length, Part part) {
        switch (part) {
        case Part::LineNumber: setFormat(start, length, lineNumber_); break;
        case Part::Word: setFormat(start, length, word_); break;
        case Part::String: setFormat(start, length, string_); break;
        case Part::Comment: setFormat(start, length, comment_); break;
        case Part::Plain: break;
        }
    });
}

SyntaxHighlighter::Part SyntaxHighlighter::partAt(const QString& line, int index) const {
    Part found = Part::Plain;
    scan(line, [&](int start, int length, Part part) {
        if (index >= start && index < start + length) found = part;
    });
    return found;
}

} // namespace korvelin
