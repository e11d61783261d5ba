#include "interpreter/ClassicWords.h"

#include <algorithm>
#include <vector>

namespace korvelin {

namespace {

// The reserved words of the classic dialect that Korvelin also reserves,
// longest first, so that the first match at a character is the longest.
const std::vector<std::u16string_view>& classicWords() {
    static const std::vector<std::u16string_view> words = [] {
        std::vector<std::u16string_view> list = {
            u"ABS",    u"AND",     u"ASC",    u"ATN",    u"CALL",   u"CDBL",   u"CHR$",      u"CINT",
            u"CLEAR",  u"COS",     u"CSNG",   u"DATA",   u"DEF",    u"DEFDBL", u"DEFINT",    u"DEFSNG",
            u"DEFSTR", u"DIM",     u"ELSE",   u"END",    u"ERASE",  u"ERL",    u"ERR",       u"ERROR",
            u"EXP",    u"FIX",     u"FOR",    u"GO",     u"GOSUB",  u"GOTO",   u"HEX$",      u"IF",
            u"INKEY$", u"INPUT",   u"INPUT$", u"INSTR",  u"INT",    u"LEFT$",  u"LEN",       u"LET",
            u"LINE",   u"LOG",     u"LPRINT", u"MID$",   u"MOD",    u"NEXT",   u"NOT",       u"OCT$",
            u"ON",     u"OR",      u"OUT",    u"POKE",   u"POS",    u"PRINT",  u"RANDOMIZE", u"READ",
            u"REM",    u"RESTORE", u"RESUME", u"RETURN", u"RIGHT$", u"RND",    u"RUN",       u"SGN",
            u"SIN",    u"SPACE$",  u"SPC",    u"SQR",    u"STEP",   u"STOP",   u"STR$",      u"STRING$",
            u"SWAP",   u"TAB",     u"TAN",    u"THEN",   u"TO",     u"TROFF",  u"TRON",      u"VAL",
            u"WAIT",   u"WEND",    u"WHILE",  u"WRITE",  u"XOR",
        };
        std::stable_sort(list.begin(), list.end(),
                         [](std::u16string_view a, std::u16string_view b) { return a.size() > b.size(); });
        return list;
    }();
    return words;
}

int matchAt(std::u16string_view run, std::size_t at) {
    const std::u16string_view rest = run.substr(at);
    for (std::u16string_view word : classicWords())
        if (rest.substr(0, word.size()) == word) return static_cast<int>(word.size());
    return 0;
}

} // namespace

ClassicSplit findClassicWord(std::u16string_view run) {
    for (std::size_t at = 0; at < run.size(); ++at) {
        if (run[at] < u'A' || run[at] > u'Z') continue;
        if (const int length = matchAt(run, at)) return {static_cast<int>(at), length};
    }
    return {};
}

} // namespace korvelin
