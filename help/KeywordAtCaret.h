#pragma once
// The word of a program line around the caret, for the statement list to
// preselect: the run of letters, digits and "$" that touches the caret, in
// upper case, and whether it stands where a statement starts (at the start
// of the line or after its line number, after ":", THEN or ELSE) or inside
// an expression, where the same word is a function.

#include <QString>

namespace korvelin {

struct KeywordAtCaret {
    QString word; // "" when the caret touches no word
    bool statementPosition = false;
};

KeywordAtCaret keywordAtCaret(const QString& line, int column);

} // namespace korvelin
