#include "interpreter/Lexer.h"

#include "interpreter/ClassicWords.h"
#include "values/Cp932.h"
#include "values/HostFailure.h"
#include "values/NumberText.h"
#include "values/ReservedWords.h"

#include <cmath>
#include <cstdint>

namespace korvelin {

namespace {

bool isDigit(int c) {
    return c >= u'0' && c <= u'9';
}

// In the classic dialect "10ELSE" is a number and ELSE: an E starts an
// exponent only when a digit or a sign follows it.
bool startsExponent(int c) {
    return isDigit(c) || c == u'+' || c == u'-';
}

bool isSymbolChar(int c) {
    switch (c) {
    case u'(':
    case u')':
    case u'=':
    case u'<':
    case u'>':
    case u'+':
    case u'-':
    case u'*':
    case u'/':
    case u'^':
    case u',':
    case u'\'':
    case u';':
    case u':':
    case u'#':
    case u'\\':
    case u'&':
    case u'@':
    case u'?': return true;
    default: return false;
    }
}

// The smallest kind that holds a whole number, as widening arithmetic
// would have left it.
Value wholeNumber(double v) {
    if (v >= -32768 && v <= 32767) return Value::integer(static_cast<std::int16_t>(v));
    if (v >= -2147483648.0 && v <= 2147483647.0) return Value::longInt(static_cast<std::int32_t>(v));
    return Value::dbl(v);
}

} // namespace

bool isWordLetter(int c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
    if (c >= 0xFF61 && c <= 0xFF9F) return true;
    return c >= 0x80 && cp932::isDoubleByte(static_cast<char16_t>(c));
}

std::u16string Lexer::tokenText() const {
    switch (tokenKind) {
    case TokenWord: return words_.text(wordId);
    case TokenSymbol:
        switch (symbol) {
        case SymLessEqual: return u"<=";
        case SymGreaterEqual: return u">=";
        case SymNotEqual: return u"<>";
        case SymEqualLess: return u"=<";
        case SymEqualGreater: return u"=>";
        case SymMod: return u"MOD";
        default: return std::u16string(1, symbol);
        }
    case TokenConstant:
        return tokenValue.isString() ? tokenValue.unicodeText() : cp932::decode(tokenValue.toTextBytes());
    default: return {};
    }
}

// The slow path of nextToken: scan the token and remember it under the
// position the scan started from (blanks before the token included).
void Lexer::readToken() {
    const int start = position;
    while (currentChar == u' ')
        nextChar();
    overflowed_ = false;
    if (scanData || !source || start < 1 || start > static_cast<int>(source->text.size()) + 1) {
        scanToken();
        checkOverflow();
        return;
    }
    scanToken();
    // A constant too large for a Double is never remembered, so that every
    // scan of it fails again.
    if (overflowed_) {
        checkOverflow();
        return;
    }
    auto& cache = source->tokens;
    if (cache.empty()) cache.resize(source->text.size() + 2);
    CachedToken& entry = cache[static_cast<std::size_t>(start)];
    entry.kind = tokenKind;
    entry.symbol = symbol;
    entry.wordId = wordId;
    if (tokenKind == TokenConstant || tokenKind == TokenEnd) entry.value = tokenValue;
    entry.endPosition = static_cast<std::int16_t>(position);
    entry.endChar = currentChar;
}

// A numeric constant beyond the Double range is the overflow error of the
// statement that reads it; no infinite constant exists. Preparation only
// looks for statement ends and takes the token as it is.
void Lexer::checkOverflow() {
    if (!overflowed_ || !refuseOverflow) return;
    tokenValue = Value();
    failHost(HostFailureKind::Other);
}

void Lexer::scanToken() {
    if (currentChar == EndOfText) {
        setToken(TokenEnd);
        tokenValue = Value();
        return;
    }
    const int c = currentChar;
    if (isSymbolChar(c)) {
        setToken(TokenSymbol, static_cast<char16_t>(c));
        nextChar();
        if (c == u'<') {
            if (currentChar == u'=') {
                symbol = SymLessEqual;
                nextChar();
            } else if (currentChar == u'>') {
                symbol = SymNotEqual;
                nextChar();
            }
        } else if (c == u'>') {
            if (currentChar == u'=') {
                symbol = SymGreaterEqual;
                nextChar();
            }
        } else if (c == u'=') {
            if (currentChar == u'<') {
                symbol = SymEqualLess;
                nextChar();
            } else if (currentChar == u'>') {
                symbol = SymEqualGreater;
                nextChar();
            }
        } else if (c == u'&') {
            if (currentChar == u'H' || currentChar == u'h')
                scanRadixConstant(16);
            else if (currentChar == u'O' || currentChar == u'o')
                scanRadixConstant(8);
        }
        return;
    }
    if (isWordLetter(c)) {
        scanWord();
        return;
    }
    if (isDigit(c) || c == u'.') {
        scanNumber();
        return;
    }
    if (c == u'"') {
        scanString();
        return;
    }
    // A character no rule accepts ("_", "[", a tab, a lone "!") becomes a
    // symbol of its own that every statement rejects as a syntax error, so
    // that loops reading to the end of a statement always advance.
    setToken(TokenSymbol, static_cast<char16_t>(c));
    nextChar();
}

void Lexer::scanRadixConstant(int radix) {
    // Digits accumulate without wrapping: &HFFFF is 65535, not -1.
    double value = 0;
    for (;;) {
        nextChar();
        int digit = hexDigitValue(currentChar);
        if (digit < 0 || digit >= radix) break;
        value = value * radix + digit;
    }
    if (std::isinf(value)) overflowed_ = true;
    tokenKind = TokenConstant;
    tokenValue = wholeNumber(value);
}

void Lexer::scanWord() {
    auto upper = [](int c) { return static_cast<char16_t>(c >= u'a' && c <= u'z' ? c - 32 : c); };
    const int wordStart = position;
    scratch_.clear();
    scratch_.push_back(upper(currentChar));
    for (;;) {
        nextChar();
        if (isWordLetter(currentChar) || isDigit(currentChar) || currentChar == u'.')
            scratch_.push_back(upper(currentChar));
        else
            break;
    }
    if (currentChar != EndOfText && isTypeSuffix(static_cast<char16_t>(currentChar))) {
        scratch_.push_back(static_cast<char16_t>(currentChar));
        nextChar();
    }
    if (classicReservedWords && !scanData) splitClassicWord(wordStart);
    if (scratch_ == u"MOD") {
        setToken(TokenSymbol, SymMod);
        return;
    }
    setToken(TokenWord);
    wordId = words_.intern(scratch_);
}

void Lexer::splitClassicWord(int wordStart) {
    // A run that is a reserved word as a whole (COLOR, POINT, APPEND) stays
    // one word even where a word of the classic dialect hides inside it.
    if (scratch_[0] >= u'A' && scratch_[0] <= u'Z' && classicReservedWords->findReservedWord(scratch_) >= 0)
        return;
    const ClassicSplit split = findClassicWord(scratch_);
    if (split.start < 0) return;
    // The word itself when the run starts with it, else the name before it.
    const int keep = split.start > 0 ? split.start : split.length;
    if (keep >= static_cast<int>(scratch_.size())) return;
    scratch_.resize(static_cast<std::size_t>(keep));
    position = wordStart + keep - 1;
    nextChar();
}

void Lexer::scanNumber() {
    // The value is built digit by digit in floating point, the way the
    // classic scanner did it, so that constants round exactly as they did.
    bool anyDigit = false;
    double value = 0;
    while (isDigit(currentChar)) {
        value = value * 10 + (currentChar - u'0');
        anyDigit = true;
        nextChar();
    }
    if (currentChar == u'.') {
        nextChar();
        double divisor = 10;
        while (isDigit(currentChar)) {
            value = value + (currentChar - u'0') / divisor;
            divisor *= 10;
            anyDigit = true;
            nextChar();
        }
    }
    if (currentChar == u'E' &&
        !(classicReservedWords && !startsExponent(charAt((scanData ? dataPosition : position) + 1)))) {
        nextChar();
        int sign = 1;
        if (currentChar == u'-') {
            sign = -1;
            nextChar();
        } else if (currentChar == u'+')
            nextChar();
        double exponent = 0;
        while (isDigit(currentChar)) {
            exponent = exponent * 10 + (currentChar - u'0');
            nextChar();
        }
        // 0E999 is 0, not 0 times infinity.
        if (value != 0) value = value * std::pow(10.0, sign * exponent);
        anyDigit = true;
    } else if (currentChar == u'#' || currentChar == u'!' || currentChar == u'%') {
        nextChar();
    }
    // A mantissa too long for a Double is infinite before any exponent.
    if (std::isinf(value) || std::isnan(value)) overflowed_ = true;
    tokenKind = TokenConstant;
    tokenValue = anyDigit ? Value::dbl(value) : Value::integer(0);
}

void Lexer::scanString() {
    scratch_.clear();
    nextChar();
    while (currentChar != u'"' && currentChar != EndOfText) {
        scratch_.push_back(static_cast<char16_t>(currentChar));
        nextChar();
    }
    nextChar();
    tokenKind = TokenConstant;
    tokenValue = Value::text(scratch_);
}

} // namespace korvelin
