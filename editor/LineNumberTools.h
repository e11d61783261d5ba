#pragma once
// Renumbering, sorting and automatic numbering of the program text, as
// plain functions over the text (lines separated by CR LF). They return
// the new text, or the error to report and where to put the caret; the
// editor window applies the result.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

class Lexer;

// The line table holds this many lines; renumbering collects at most
// this many line references.
constexpr int LineTableSize = 4001;
constexpr int LineReferenceLimit = 25000;
// A line's statement text is cut to this many characters.
constexpr int LineTextLimit = 255;

struct ProgramLine {
    std::u16string lineText;     // after the number and its blank
    std::int32_t number = 0;     // the line number
    std::int32_t lineOffset = 0; // CR LF offset of the line's first character
    int textStart = 0;           // offset of lineText within the line
    std::int32_t lineEnd = 0;    // CR LF offset just past the line's last character
    bool endsWithCrLf = false;
};

struct LineReference {
    int line = 0;            // index into the parsed lines
    int start = 0;           // 1-based, in lineText: where the rewritten part begins
    int end = 0;             // 1-based: the number's last character
    std::int32_t target = 0; // the referenced number, then the target line's index (-1 for 0)
    bool optional = false;   // an ERL comparison: left alone when no line carries the number
};

// What a tool did: a new text, nothing, or an error (1, 5, 6 or 8) with the
// CR LF offset for the caret (-1: leave it).
struct LineToolResult {
    enum class Kind { Unchanged, Changed, Failed };
    Kind kind = Kind::Unchanged;
    std::u16string text;
    int errorNumber = 0;
    std::int32_t caretOffset = -1;
};

struct ParsedProgram {
    std::vector<ProgramLine> lines;        // in text order
    std::vector<int> order;                // indexes by ascending number
    std::vector<LineReference> references; // in text order
    // The sorted text: number, one blank, lineText without trailing blanks, CR LF.
    std::u16string sortedText() const;
};

// Splits the text into numbered lines (blank lines dropped). With a lexer,
// also collects the line references a renumber rewrites. On failure the
// result says which error to report.
std::optional<ParsedProgram> parseProgramLines(std::u16string_view text, Lexer* referenceScanner,
                                               LineToolResult& failure);

LineToolResult sortProgramLines(std::u16string_view text);
// Renumbers from the line `oldStart` (0: the first) on, giving it
// `newStart` and each later line `step` more.
LineToolResult renumberProgramLines(Lexer& lexer, std::u16string_view text, std::int32_t newStart,
                                    std::int32_t oldStart, std::int32_t step);

// Text to insert at a CR LF offset, and where the caret goes afterwards.
struct TextInsertion {
    std::int32_t offset = 0;
    std::u16string text;
    std::int32_t caretOffset = 0;
};

// Where automatic numbering starting at `start` puts its first line:
// before the first line numbered above `start`, else after the last line.
// Empty (with `failure` set) when the text does not parse.
std::optional<TextInsertion> startAutoNumbering(std::u16string_view text, std::int32_t start,
                                                LineToolResult& failure);
// Enter on the caret's line: when that line carries `expected`, the next
// number goes below it. Empty when Enter is an ordinary key.
std::optional<TextInsertion> continueAutoNumbering(std::u16string_view text, std::int32_t caretOffset,
                                                   std::int32_t expected, std::int32_t next);

// The lowest line number of the text, for the renumber dialog; -1 when the
// text has no numbered line.
std::int32_t lowestLineNumber(std::u16string_view text);

// A dialog field read as a number: blanks, an optional sign, digits; the
// rest is ignored. Empty when the number does not fit 32 bits.
std::optional<std::int64_t> leadingNumber(std::u16string_view field);

} // namespace korvelin
