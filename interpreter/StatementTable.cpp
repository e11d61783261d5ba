#include "interpreter/StatementTable.h"

#include <climits>
#include <cmath>

namespace korvelin {

void StatementTable::insertStatement(int slot, std::int32_t& lastKey) {
    chainChanged();
    StatementSlot& s = (*this)[slot];
    if (s.key > lastKey || firstStatement < 0) {
        if (lastStatement >= 0)
            (*this)[lastStatement].next = static_cast<std::int16_t>(slot);
        else
            firstStatement = slot;
        lastStatement = slot;
        s.next = -1;
        if (s.key > lastKey) lastKey = s.key;
        return;
    }
    if (s.key < (*this)[firstStatement].key) {
        s.next = static_cast<std::int16_t>(firstStatement);
        firstStatement = slot;
        return;
    }
    // A key equal to an existing one goes in front of it: of two lines with
    // the same number the later one in the text runs first.
    int previous = -1;
    int current = firstStatement;
    while (current >= 0 && (*this)[current].key < s.key) {
        previous = current;
        current = (*this)[current].next;
    }
    s.next = static_cast<std::int16_t>(current);
    if (previous < 0)
        firstStatement = slot;
    else
        (*this)[previous].next = static_cast<std::int16_t>(slot);
    if (current < 0) lastStatement = slot;
}

int StatementTable::findLine(double lineNumber) const {
    // The key compared is the number times 100 as it stands: GOTO 10.5
    // finds the statement with key 1050.
    const double wanted = lineNumber * 100;
    if (!(wanted >= INT32_MIN && wanted <= INT32_MAX) || wanted != static_cast<std::int32_t>(wanted))
        return -1;
    if (!lineIndexValid_) {
        lineIndex_.clear();
        for (int slot = firstStatement; slot >= 0; slot = (*this)[slot].next)
            lineIndex_.emplace((*this)[slot].key, slot);
        lineIndexValid_ = true;
    }
    const auto found = lineIndex_.find(static_cast<std::int32_t>(wanted));
    return found == lineIndex_.end() ? -1 : found->second;
}

void StatementTable::clearChain() {
    highestKey = 0;
    firstStatement = -1;
    lastStatement = -1;
    chainChanged();
}

void StatementTable::setText(int slot, std::u16string text) {
    ScanText& t = (*this)[slot].text;
    t.text = std::move(text);
    t.tokens.clear();
}

int LabelTable::find(int wordId) const {
    for (int i = 0; i < labelCount; ++i) {
        if (entries[static_cast<std::size_t>(i)].wordId == wordId)
            return entries[static_cast<std::size_t>(i)].slot;
    }
    return -1;
}

LineNumber parseLineNumber(std::u16string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    double number = 0;
    while (i < line.size() && line[i] >= u'0' && line[i] <= u'9') {
        number = number * 10 + (line[i] - u'0');
        ++i;
    }
    LineNumber result;
    // Numbers beyond 32 bits cannot make a valid key; report them as 0.
    result.number = number <= 2147483647.0 ? static_cast<std::int32_t>(number) : 0;
    result.endIndex = static_cast<int>(i) + 1;
    return result;
}

} // namespace korvelin
