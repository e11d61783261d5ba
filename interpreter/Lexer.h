#pragma once
// The one lexer of the interpreter. Statements, the evaluator and the
// preparation pass all scan through it, and some of them move `position`
// by hand (IF re-reads a word, ON ... GOTO skips list items character by
// character, READ scans a DATA statement as a second source), so its state
// is plain and public.
//
// Scanning the same text from the same position always yields the same
// token, so each ScanText remembers the tokens read from it, keyed by the
// position the scan started at. A statement executed a million times is
// lexed once, and its expressions are compiled once beside those tokens.

#include "values/WordTable.h"

namespace korvelin {
class KeywordTable;
}
#include "values/Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvelin {

enum TokenKind : std::uint8_t { TokenEnd = 0, TokenSymbol = 1, TokenConstant = 2, TokenWord = 3 };

// Symbol codes: single-character symbols are the character itself; the
// two-character comparisons and the MOD operator get codes of their own.
enum Symbol : char16_t {
    SymLessEqual = 0xE001, // <=
    SymGreaterEqual,       // >=
    SymNotEqual,           // <>
    SymEqualLess,          // =<
    SymEqualGreater,       // =>
    SymMod,                // MOD
};

constexpr int EndOfText = -1;

struct CachedToken {
    Value value;
    int wordId = -1;
    int endChar = EndOfText;      // the character at endPosition
    std::int16_t endPosition = 0; // 0 = not cached yet
    char16_t symbol = 0;
    TokenKind kind = TokenEnd;
};

// The compiled form of an expression, defined with the evaluator
// (values/CompiledExpression.h); a ScanText owns the ones compiled from it.
struct CompiledExpression;
struct CompiledExpressionDeleter {
    void operator()(CompiledExpression* expression) const noexcept;
};
using CompiledExpressionPtr = std::unique_ptr<CompiledExpression, CompiledExpressionDeleter>;

// The compiled form of a whole statement (interpreter/CompiledStatement.h),
// which points into the expressions compiled from the same text.
struct CompiledStatement;
struct CompiledStatementDeleter {
    void operator()(CompiledStatement* statement) const noexcept;
};
using CompiledStatementPtr = std::unique_ptr<CompiledStatement, CompiledStatementDeleter>;

// What a ScanText remembers about itself: the token read from each start
// position, the expression compiled at each position an evaluation
// started from, and what the text compiles to as a statement. Forgetting
// the tokens forgets the rest too, so a text that is replaced never meets
// what was compiled from its old form.
class TokenMemory {
  public:
    TokenMemory() = default;
    // A copy keeps the tokens; its expressions compile again when needed.
    TokenMemory(const TokenMemory& other) : tokens_(other.tokens_) {}
    TokenMemory& operator=(const TokenMemory& other) {
        if (this != &other) {
            tokens_ = other.tokens_;
            statement_.reset();
            expressions_.clear();
        }
        return *this;
    }
    TokenMemory(TokenMemory&&) noexcept = default;
    TokenMemory& operator=(TokenMemory&&) noexcept = default;

    // The tokens, indexed by start position; sized on first use.
    bool empty() const { return tokens_.empty(); }
    std::size_t size() const { return tokens_.size(); }
    void resize(std::size_t n) { tokens_.resize(n); }
    CachedToken& operator[](std::size_t position) { return tokens_[position]; }
    const CachedToken& operator[](std::size_t position) const { return tokens_[position]; }
    void clear() {
        tokens_.clear();
        statement_.reset();
        expressions_.clear();
    }

    // The expression compiled for evaluations starting with the lexer at
    // `position`, or null when none has been compiled there yet.
    CompiledExpression* expressionAt(int position) const {
        const auto index = static_cast<std::size_t>(position);
        return index < expressions_.size() ? expressions_[index].get() : nullptr;
    }
    void keepExpression(int position, std::size_t textSize, CompiledExpressionPtr expression) {
        if (expressions_.size() < textSize + 2) expressions_.resize(textSize + 2);
        expressions_[static_cast<std::size_t>(position)] = std::move(expression);
    }

    // The statement compiled from the whole text, null before the first try.
    CompiledStatement* statement() const { return statement_.get(); }
    void keepStatement(CompiledStatementPtr statement) { statement_ = std::move(statement); }

  private:
    std::vector<CachedToken> tokens_;
    std::vector<CompiledExpressionPtr> expressions_;
    CompiledStatementPtr statement_; // declared after what it points into
};

// A text the lexer scans, with the tokens already read from it.
struct ScanText {
    ScanText() = default;
    explicit ScanText(std::u16string t) : text(std::move(t)) {}
    std::u16string text;
    mutable TokenMemory tokens;
};

class Lexer {
  public:
    explicit Lexer(WordTable& words) : words_(words) {}

    // Starting a scan: set the text, position 0, then nextChar and nextToken.
    void setText(const ScanText* text) {
        source = text;
        position = 0;
    }
    void start(const ScanText* text) {
        setText(text);
        nextChar();
        nextToken();
    }

    void nextChar() {
        int& index = scanData ? dataPosition : position;
        ++index;
        currentChar = charAt(index);
    }
    // Reads the next token. Tokens already read from the same position of
    // the same text are taken from the text's memory of them.
    void nextToken() {
        if (!scanData && source && position >= 1 &&
            static_cast<std::size_t>(position) < source->tokens.size()) {
            const CachedToken& entry = source->tokens[static_cast<std::size_t>(position)];
            if (entry.endPosition != 0) {
                tokenKind = entry.kind;
                symbol = entry.symbol;
                wordId = entry.wordId;
                // As scanning does: a constant sets the value, the end clears it.
                if (entry.kind == TokenConstant || entry.kind == TokenEnd) tokenValue = entry.value;
                position = entry.endPosition;
                currentChar = entry.endChar;
                return;
            }
        }
        readToken();
    }

    const std::u16string& currentText() const { return source->text; }
    // The character at a 1-based index of the text being scanned, EndOfText outside.
    int charAt(int index) const {
        const ScanText* text = scanData ? dataText : source;
        if (!text || index < 1 || index > static_cast<int>(text->text.size())) return EndOfText;
        return text->text[static_cast<std::size_t>(index - 1)];
    }

    bool isSymbol(char16_t s) const { return tokenKind == TokenSymbol && symbol == s; }
    bool isWord(Keyword k) const { return tokenKind == TokenWord && wordId == k; }
    // End of a statement: end of text, ":", "'", ELSE or REM.
    bool atStatementEnd() const {
        switch (tokenKind) {
        case TokenEnd: return true;
        case TokenSymbol: return symbol == u':' || symbol == u'\'';
        case TokenWord: return wordId == KwElse || wordId == KwRem;
        default: return false;
        }
    }
    // End of an argument list: end of text, ")", ":", "'" or ELSE.
    bool atListEnd() const {
        switch (tokenKind) {
        case TokenEnd: return true;
        case TokenSymbol: return symbol == u')' || symbol == u':' || symbol == u'\'';
        case TokenWord: return wordId == KwElse;
        default: return false;
        }
    }
    // The token's own text: the word, the symbol, or a constant's text.
    std::u16string tokenText() const;

    // Where scanning stands after a token read, apart from the text and
    // the token's value: what compiled statements and expressions keep for
    // each token they read, to put the lexer back there without scanning.
    // The value is kept apart because copying it costs and most tokens
    // have none.
    struct TokenPlace {
        int position = 0;
        int currentChar = EndOfText;
        TokenKind kind = TokenEnd;
        char16_t symbol = 0;
        int wordId = -1;
    };
    TokenPlace place() const { return {position, currentChar, tokenKind, symbol, wordId}; }
    // Scanning goes on in `text` as it stood at `place`; the token's value
    // is the caller's to set when it matters.
    void moveTo(const ScanText* text, const TokenPlace& p) {
        source = text;
        position = p.position;
        currentChar = p.currentChar;
        tokenKind = p.kind;
        symbol = p.symbol;
        wordId = p.wordId;
    }

    // The whole state of scanning, for readers that scan elsewhere (a DEF
    // FN body, a look ahead, a compiled statement's jump back to a token)
    // and come back.
    struct Mark {
        const ScanText* source = nullptr;
        TokenPlace place;
        Value tokenValue;
        bool scanData = false;
    };
    Mark mark() const { return {source, place(), tokenValue, scanData}; }
    void returnTo(Mark m) {
        moveTo(m.source, m.place);
        tokenValue = std::move(m.tokenValue);
        scanData = m.scanData;
    }
    // Back to a mark taken in the same scan (the second source stays as it
    // is); the token's value only when `withValue`, for readers that know
    // it is not read next.
    void moveTo(const Mark& m, bool withValue) {
        moveTo(m.source, m.place);
        if (withValue) tokenValue = m.tokenValue;
    }

    // --- state ---
    const ScanText* source = nullptr; // currentText
    int position = 0;                 // 1-based index of currentChar
    int currentChar = EndOfText;
    TokenKind tokenKind = TokenEnd;
    char16_t symbol = 0; // valid for TokenSymbol
    int wordId = -1;     // valid for TokenWord
    Value tokenValue;    // valid for TokenConstant only

    // Second scan source, used by READ while it walks a DATA statement.
    bool scanData = false;
    const ScanText* dataText = nullptr;
    int dataPosition = 0;

    // Whether the evaluator may use compiled expressions; tests turn it off
    // to compare against the scanning evaluator.
    bool compileExpressions = true;
    // In the classic-dialect mode, the reserved words (which keep runs that
    // are whole reserved words intact); reserved words of that dialect are
    // then split out of runs of letters. Null otherwise.
    const KeywordTable* classicReservedWords = nullptr;

    // Whether a numeric constant beyond the Double range fails (the
    // overflow error) when scanned; what only looks for statement ends or
    // line references turns it off with an OverflowTolerated.
    bool refuseOverflow = true;

    // While one lives, a constant beyond the Double range scans as a token
    // like any other.
    class OverflowTolerated {
      public:
        explicit OverflowTolerated(Lexer& lexer) : lexer_(lexer), before_(lexer.refuseOverflow) {
            lexer_.refuseOverflow = false;
        }
        ~OverflowTolerated() { lexer_.refuseOverflow = before_; }
        OverflowTolerated(const OverflowTolerated&) = delete;
        OverflowTolerated& operator=(const OverflowTolerated&) = delete;

      private:
        Lexer& lexer_;
        bool before_;
    };

  private:
    void readToken();
    void scanToken();
    void scanWord();
    void splitClassicWord(int wordStart);
    void scanNumber();
    void scanString();
    void scanRadixConstant(int radix);
    void checkOverflow();
    void setToken(TokenKind kind, char16_t sym = 0) {
        tokenKind = kind;
        symbol = sym;
    }

    WordTable& words_;
    std::u16string scratch_;
    bool overflowed_ = false; // the last constant scanned did not fit a Double
};

bool isWordLetter(int c);

} // namespace korvelin
