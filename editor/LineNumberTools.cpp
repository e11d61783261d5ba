#include "editor/LineNumberTools.h"

#include "interpreter/Lexer.h"
#include "interpreter/StatementTable.h"
#include "values/Keywords.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace korvelin {

namespace {

// Keys are line number x 100 in 32 bits, so line numbers end here.
constexpr std::int64_t HighestLineNumber = 21474836;
constexpr int ErrSyntaxNumber = 1;
constexpr int ErrIllegalCall = 5;
constexpr int ErrOverflowNumber = 6;
constexpr int ErrNoSuchLine = 8;
constexpr std::int32_t NoTarget = -2; // a number no line can carry

bool isBlank(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(), [](char16_t c) { return c == u' '; });
}

std::u16string decimal(std::int64_t n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

std::u16string_view trimRight(std::u16string_view s) {
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

LineToolResult failed(int number, std::int32_t caret) {
    LineToolResult result;
    result.kind = LineToolResult::Kind::Failed;
    result.errorNumber = number;
    result.caretOffset = caret;
    return result;
}

// A referenced number as a line number; fractions and numbers out of range
// name no line.
std::int32_t referencedNumber(double value) {
    if (!std::isfinite(value) || value < 0 || value > HighestLineNumber || value != std::floor(value))
        return NoTarget;
    return static_cast<std::int32_t>(value);
}

// Collects the line references of one line with the interpreter's lexer.
class ReferenceScanner {
  public:
    ReferenceScanner(Lexer& lexer, std::vector<LineReference>& references)
        : lexer_(lexer), references_(references) {}

    // False when there are more references than the table holds.
    bool scan(const std::u16string& lineText, int line) {
        line_ = line;
        ScanText text(lineText);
        lexer_.scanData = false;
        lexer_.start(&text);
        while (lexer_.tokenKind != TokenEnd) {
            if (lexer_.isSymbol(u'\'') || lexer_.isWord(KwRem)) break;
            if (lexer_.tokenKind != TokenWord) {
                lexer_.nextToken();
                continue;
            }
            switch (lexer_.wordId) {
            case KwThen:
            case KwElse:
            case KwResume:
            case KwRestore:
            case KwReturn: afterKeyword(); break;
            case KwGo:
                lexer_.nextToken();
                if (lexer_.isWord(KwTo)) afterKeyword();
                break;
            case KwGoto:
            case KwGosub: targetList(); break;
            case KwErl: erlComparison(); break;
            default: lexer_.nextToken(); break;
            }
            if (overflow_) return false;
        }
        lexer_.setText(nullptr);
        return true;
    }

  private:
    bool atNumber() const { return lexer_.tokenKind == TokenConstant && !lexer_.tokenValue.isString(); }

    // The current token is a number: record it, from `start` to its last digit.
    void record(int start, bool optional) {
        if (static_cast<int>(references_.size()) >= LineReferenceLimit) {
            overflow_ = true;
            return;
        }
        LineReference reference;
        reference.line = line_;
        reference.start = start;
        reference.end = lexer_.position - 1;
        reference.target = referencedNumber(lexer_.tokenValue.toDouble());
        reference.optional = optional;
        references_.push_back(reference);
        lexer_.nextToken();
    }

    // Where the rewritten part after a keyword starts: after the one
    // character that follows the keyword, unless that is already the number
    // (the classic dialect reads GOTO30 as GOTO and 30).
    int startAfterKeyword() const {
        const int next = lexer_.charAt(lexer_.position);
        return next >= u'0' && next <= u'9' ? lexer_.position : lexer_.position + 1;
    }

    // The keyword just read is followed by one character, then perhaps a number.
    void afterKeyword() {
        const int start = startAfterKeyword();
        lexer_.nextToken();
        if (atNumber()) record(start, false);
    }

    // GOTO and GOSUB: a list of line numbers and labels separated by commas.
    void targetList() {
        int start = startAfterKeyword();
        lexer_.nextToken();
        for (;;) {
            if (atNumber()) {
                record(start, false);
            } else if (lexer_.isSymbol(u'*')) {
                lexer_.nextToken();
                if (lexer_.tokenKind == TokenWord) lexer_.nextToken();
            }
            if (overflow_ || !lexer_.isSymbol(u',')) return;
            start = lexer_.position;
            lexer_.nextToken();
        }
    }

    // ERL compared with a line number: the number follows the line it names,
    // blanks kept. A number that names no line is left alone.
    void erlComparison() {
        lexer_.nextToken();
        if (lexer_.tokenKind != TokenSymbol) return;
        switch (lexer_.symbol) {
        case u'=':
        case u'<':
        case u'>':
        case SymNotEqual:
        case SymLessEqual:
        case SymGreaterEqual:
        case SymEqualLess:
        case SymEqualGreater: break;
        default: return;
        }
        int start = lexer_.position;
        while (lexer_.charAt(start) == u' ')
            ++start;
        lexer_.nextToken();
        if (atNumber()) record(start, true);
    }

    Lexer& lexer_;
    std::vector<LineReference>& references_;
    int line_ = 0;
    bool overflow_ = false;
};

} // namespace

std::u16string ParsedProgram::sortedText() const {
    std::u16string text;
    for (int index : order) {
        const ProgramLine& line = lines[static_cast<std::size_t>(index)];
        text += decimal(line.number);
        text += u' ';
        text += trimRight(line.lineText);
        text += u"\r\n";
    }
    return text;
}

std::optional<ParsedProgram> parseProgramLines(std::u16string_view text, Lexer* referenceScanner,
                                               LineToolResult& failure) {
    ParsedProgram program;
    std::optional<Lexer::Mark> mark;
    // References are line numbers; a constant too large for a number is
    // just a token here (running it is what fails).
    std::optional<Lexer::OverflowTolerated> tolerateOverflow;
    if (referenceScanner) {
        mark = referenceScanner->mark();
        tolerateOverflow.emplace(*referenceScanner);
    }
    auto fail = [&](int number, std::int32_t caret) -> std::optional<ParsedProgram> {
        if (mark) referenceScanner->returnTo(*mark);
        failure = failed(number, caret);
        return std::nullopt;
    };
    std::size_t offset = 0;
    while (offset < text.size()) {
        const std::size_t end = text.find(u"\r\n", offset);
        const std::size_t lineEnd = end == std::u16string_view::npos ? text.size() : end;
        const std::u16string_view line = text.substr(offset, lineEnd - offset);
        const auto lineOffset = static_cast<std::int32_t>(offset);
        offset = end == std::u16string_view::npos ? text.size() : end + 2;
        if (isBlank(line)) continue;
        if (static_cast<int>(program.lines.size()) >= LineTableSize)
            return fail(ErrOverflowNumber, lineOffset);

        const LineNumber number = parseLineNumber(line);
        const auto afterDigits = static_cast<std::size_t>(number.endIndex - 1);
        if (afterDigits >= line.size() || line[afterDigits] != u' ' || number.number < 1 ||
            number.number > HighestLineNumber)
            return fail(ErrSyntaxNumber, lineOffset + static_cast<std::int32_t>(afterDigits));

        ProgramLine parsed;
        parsed.number = number.number;
        parsed.lineOffset = lineOffset;
        parsed.textStart = static_cast<int>(afterDigits) + 1;
        parsed.lineEnd = static_cast<std::int32_t>(lineEnd);
        parsed.endsWithCrLf = end != std::u16string_view::npos;
        parsed.lineText = std::u16string(line.substr(afterDigits + 1, LineTextLimit));
        program.lines.push_back(std::move(parsed));
        if (referenceScanner) {
            ReferenceScanner scanner(*referenceScanner, program.references);
            if (!scanner.scan(program.lines.back().lineText, static_cast<int>(program.lines.size()) - 1))
                return fail(ErrOverflowNumber, lineOffset);
        }
    }
    if (mark) referenceScanner->returnTo(*mark);

    // Ascending numbers; of equal numbers the one further down comes first.
    program.order.resize(program.lines.size());
    for (std::size_t i = 0; i < program.order.size(); ++i)
        program.order[i] = static_cast<int>(i);
    std::stable_sort(program.order.begin(), program.order.end(), [&](int a, int b) {
        const std::int32_t na = program.lines[static_cast<std::size_t>(a)].number;
        const std::int32_t nb = program.lines[static_cast<std::size_t>(b)].number;
        return na != nb ? na < nb : a > b;
    });
    return program;
}

LineToolResult sortProgramLines(std::u16string_view text) {
    LineToolResult result;
    const std::optional<ParsedProgram> program = parseProgramLines(text, nullptr, result);
    if (!program || program->lines.empty()) return result;
    result.kind = LineToolResult::Kind::Changed;
    result.text = program->sortedText();
    return result;
}

LineToolResult renumberProgramLines(Lexer& lexer, std::u16string_view text, std::int32_t newStart,
                                    std::int32_t oldStart, std::int32_t step) {
    LineToolResult result;
    std::optional<ParsedProgram> parsed = parseProgramLines(text, &lexer, result);
    if (!parsed || parsed->lines.empty()) return result;
    ParsedProgram& program = *parsed;
    auto numberAt = [&](std::size_t k) {
        return program.lines[static_cast<std::size_t>(program.order[k])].number;
    };

    if (oldStart == 0) oldStart = numberAt(0);
    std::size_t first = program.order.size(); // none yet
    for (std::size_t k = 0; k < program.order.size(); ++k) {
        if (numberAt(k) > oldStart) continue;
        first = k;
        if (numberAt(k) == oldStart) break;
    }
    if (first == program.order.size()) return result;
    if (newStart < oldStart)
        for (std::size_t k = 0; k < first; ++k)
            if (numberAt(k) >= newStart) return failed(ErrIllegalCall, -1);

    // Each reference is resolved to the first line in sorted order that
    // carries its number.
    std::unordered_map<std::int32_t, int> firstWithNumber;
    for (int index : program.order)
        firstWithNumber.emplace(program.lines[static_cast<std::size_t>(index)].number, index);
    for (LineReference& reference : program.references) {
        if (reference.target == 0) {
            reference.target = -1;
            continue;
        }
        const auto match = firstWithNumber.find(reference.target);
        const int found = match == firstWithNumber.end() ? NoTarget : match->second;
        if (found < 0 && !reference.optional) {
            const ProgramLine& line = program.lines[static_cast<std::size_t>(reference.line)];
            return failed(ErrNoSuchLine, line.lineOffset + line.textStart + reference.start);
        }
        reference.target = found;
    }

    const std::int64_t last =
        static_cast<std::int64_t>(newStart) +
        static_cast<std::int64_t>(program.order.size() - first - 1) * static_cast<std::int64_t>(step);
    if (last > HighestLineNumber) return failed(ErrOverflowNumber, -1);
    std::int64_t number = newStart;
    for (std::size_t k = first; k < program.order.size(); ++k, number += step)
        program.lines[static_cast<std::size_t>(program.order[k])].number = static_cast<std::int32_t>(number);

    // From the last reference to the first, so that earlier positions in a
    // line stay where they were.
    for (auto it = program.references.rbegin(); it != program.references.rend(); ++it) {
        if (it->target < -1) continue; // an ERL number that names no line
        std::u16string& lineText = program.lines[static_cast<std::size_t>(it->line)].lineText;
        const std::u16string replacement =
            it->target < 0 ? std::u16string(u"0")
                           : decimal(program.lines[static_cast<std::size_t>(it->target)].number);
        const auto from = static_cast<std::size_t>(std::max(it->start - 1, 0));
        const auto to = std::min(static_cast<std::size_t>(std::max(it->end, 0)), lineText.size());
        if (from > to) continue;
        lineText = lineText.substr(0, from) + replacement + lineText.substr(to);
    }
    result.kind = LineToolResult::Kind::Changed;
    result.text = program.sortedText();
    return result;
}

std::optional<TextInsertion> startAutoNumbering(std::u16string_view text, std::int32_t start,
                                                LineToolResult& failure) {
    const std::optional<ParsedProgram> program = parseProgramLines(text, nullptr, failure);
    if (!program) return std::nullopt;
    TextInsertion insertion;
    const std::u16string number = decimal(start) + u" ";
    insertion.text = number + u"\r\n";
    insertion.offset = 0;
    const auto above = std::find_if(program->order.begin(), program->order.end(), [&](int index) {
        return program->lines[static_cast<std::size_t>(index)].number > start;
    });
    if (above != program->order.end()) {
        insertion.offset = program->lines[static_cast<std::size_t>(*above)].lineOffset;
    } else if (!program->order.empty()) {
        const ProgramLine& lastLine = program->lines[static_cast<std::size_t>(program->order.back())];
        insertion.offset = lastLine.lineEnd + (lastLine.endsWithCrLf ? 2 : 0);
        if (!lastLine.endsWithCrLf) insertion.text = u"\r\n" + insertion.text;
    }
    insertion.caretOffset =
        insertion.offset + static_cast<std::int32_t>(insertion.text.size()) - 2; // before the CR LF
    return insertion;
}

std::optional<TextInsertion> continueAutoNumbering(std::u16string_view text, std::int32_t caretOffset,
                                                   std::int32_t expected, std::int32_t next) {
    const auto caret = std::min(static_cast<std::size_t>(std::max(caretOffset, 0)), text.size());
    const std::size_t previous = text.substr(0, caret).rfind(u"\r\n");
    const std::size_t lineStart = previous == std::u16string_view::npos ? 0 : previous + 2;
    const std::size_t end = text.find(u"\r\n", lineStart);
    const std::size_t lineEnd = end == std::u16string_view::npos ? text.size() : end;
    const std::u16string_view line = text.substr(lineStart, lineEnd - lineStart);
    const LineNumber number = parseLineNumber(line);
    const auto afterDigits = static_cast<std::size_t>(number.endIndex - 1);
    const bool hasDigits = afterDigits > 0 && line[afterDigits - 1] >= u'0' && line[afterDigits - 1] <= u'9';
    if (!hasDigits || number.number != expected || afterDigits >= line.size() || line[afterDigits] != u' ')
        return std::nullopt;
    TextInsertion insertion;
    insertion.text = decimal(next) + u" \r\n";
    if (end == std::u16string_view::npos) {
        insertion.offset = static_cast<std::int32_t>(text.size());
        insertion.text = u"\r\n" + insertion.text;
    } else {
        insertion.offset = static_cast<std::int32_t>(end + 2);
    }
    insertion.caretOffset = insertion.offset + static_cast<std::int32_t>(insertion.text.size()) - 2;
    return insertion;
}

std::int32_t lowestLineNumber(std::u16string_view text) {
    std::int32_t lowest = -1;
    std::size_t offset = 0;
    while (offset < text.size()) {
        const std::size_t end = text.find(u"\r\n", offset);
        const std::size_t lineEnd = end == std::u16string_view::npos ? text.size() : end;
        const std::u16string_view line = text.substr(offset, lineEnd - offset);
        offset = end == std::u16string_view::npos ? text.size() : end + 2;
        if (isBlank(line)) continue;
        const LineNumber number = parseLineNumber(line);
        if (number.number < 1 || number.number > HighestLineNumber) continue;
        if (lowest < 0 || number.number < lowest) lowest = number.number;
    }
    return lowest;
}

std::optional<std::int64_t> leadingNumber(std::u16string_view field) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == u' ')
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == u'-' || field[i] == u'+')) negative = field[i++] == u'-';
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i) {
        value = value * 10 + (field[i] - u'0');
        if (value > INT32_MAX) return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace korvelin
