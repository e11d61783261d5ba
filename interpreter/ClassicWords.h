#pragma once
// The classic-dialect reading of a run of letters: the old interpreters
// looked for their reserved words at every character of a line, so
// FORI=1TO9, IFX>1THEN100 and 22STEP3 need no blanks. Only the words of
// that dialect are split out; Korvelin's own additions (KEY, COLOR, NAME,
// AS ...) stay inside names as they would there.

#include <string_view>

namespace korvelin {

struct ClassicSplit {
    int start = -1; // where the first reserved word begins in the run, -1 = none
    int length = 0; // its length
};

// The first reserved word of the classic dialect in `run` (upper case, a
// type suffix included), the longest one where several begin at the same
// character.
ClassicSplit findClassicWord(std::u16string_view run);

} // namespace korvelin
