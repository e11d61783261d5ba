#include "help/KeywordAtCaret.h"

#include <algorithm>

namespace korvelin {

namespace {

bool isWordCharacter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('$');
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x3000);
}

// True when the text before `end` is blanks, or blanks and a line number.
bool onlyLineNumberBefore(const QString& line, qsizetype end) {
    qsizetype i = 0;
    while (i < end && isBlank(line[i]))
        ++i;
    while (i < end && line[i].isDigit())
        ++i;
    while (i < end && isBlank(line[i]))
        ++i;
    return i == end;
}

} // namespace

KeywordAtCaret keywordAtCaret(const QString& line, int column) {
    KeywordAtCaret result;
    qsizetype caret = std::clamp<qsizetype>(column, 0, line.size());
    qsizetype start = caret;
    qsizetype end = caret;
    while (start > 0 && isWordCharacter(line[start - 1]))
        --start;
    while (end < line.size() && isWordCharacter(line[end]))
        ++end;
    // A line number is no keyword: "10PRINT" touches PRINT only past its digits.
    while (start < end && line[start].isDigit())
        ++start;
    if (start == end) return result;
    result.word = line.mid(start, end - start).toUpper();

    qsizetype before = start;
    while (before > 0 && isBlank(line[before - 1]))
        --before;
    if (onlyLineNumberBefore(line, start) || (before > 0 && line[before - 1] == QLatin1Char(':'))) {
        result.statementPosition = true;
        return result;
    }
    qsizetype wordStart = before;
    while (wordStart > 0 && isWordCharacter(line[wordStart - 1]))
        --wordStart;
    const QString previous = line.mid(wordStart, before - wordStart).toUpper();
    result.statementPosition = previous == QLatin1String("THEN") || previous == QLatin1String("ELSE");
    return result;
}

} // namespace korvelin
