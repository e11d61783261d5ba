#include "values/PrintUsing.h"
#include "values/CheckedNumbers.h"

#include "values/Cp932.h"
#include "values/InterpreterError.h"
#include "values/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvelin {

namespace {

bool isFieldChar(char16_t c) {
    return c == u'+' || c == u'\\' || c == u'#' || c == u'&' || c == u'@' || c == u'.';
}
bool isNumericRunChar(char16_t c) {
    return c == u'+' || c == u'\\' || c == u'#' || c == u'^' || c == u',' || c == u'.';
}

// "###.##" -> "##0.00": the "#"s from the one before the point on become
// forced digits, and "^^^^" becomes the exponent.
std::u16string rewriteNumericField(std::u16string field) {
    const std::size_t point = field.find(u'.');
    const std::size_t pointPosition = point == std::u16string::npos ? field.size() + 1 : point + 1;
    const std::size_t p = std::max<std::size_t>(pointPosition - 1, 1);
    for (std::size_t i = p - 1; i < field.size(); ++i)
        if (field[i] == u'#') field[i] = u'0';
    const std::size_t carets = field.find(u"^^^^");
    if (carets != std::u16string::npos) field.replace(carets, 4, u"E+00");
    return field;
}

// The 15 significant digits of x > 0 and the decimal exponent of the first.
struct Significant {
    std::string digits;
    int exponent = 0;
};

Significant significantDigits(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    Significant s;
    s.digits += buf[0];
    const char* p = buf + 2;
    while (*p != '\0' && *p != 'e')
        s.digits += *p++;
    s.exponent = std::atoi(p + 1);
    return s;
}

// Keeps the first `keep` digits (padding with zeros), rounding half away
// from zero on the digit after them; the result may gain a leading "1".
std::string roundDigits(const std::string& digits, int keep) {
    if (keep < 0) return {};
    std::string kept = digits.substr(0, std::min<std::size_t>(static_cast<std::size_t>(keep), digits.size()));
    kept.append(static_cast<std::size_t>(keep) - kept.size(), '0');
    if (static_cast<std::size_t>(keep) < digits.size() && digits[static_cast<std::size_t>(keep)] >= '5') {
        int i = keep - 1;
        for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
            kept[static_cast<std::size_t>(i)] = '0';
        if (i >= 0)
            ++kept[static_cast<std::size_t>(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    return kept;
}

void stripLeadingZeros(std::string& s) {
    s.erase(0, s.find_first_not_of('0')); // all of it when it is all zeros
}

struct PatternToken {
    enum Kind { Digit, Point, Comma, Exponent, Literal } kind;
    char16_t ch = 0; // the placeholder ('#', '0') or the literal character
    bool expPlus = false;
    int expDigits = 0;
};

std::vector<PatternToken> tokenizePattern(std::u16string_view pattern) {
    std::vector<PatternToken> tokens;
    bool pointSeen = false;
    bool exponentSeen = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'\\') {
            if (i + 1 < pattern.size()) tokens.push_back({PatternToken::Literal, pattern[++i]});
        } else if ((c == u'#' || c == u'0') && !exponentSeen) {
            tokens.push_back({PatternToken::Digit, c});
        } else if (c == u'.' && !pointSeen && !exponentSeen) {
            pointSeen = true;
            tokens.push_back({PatternToken::Point, c});
        } else if (c == u',' && !pointSeen && !exponentSeen) {
            tokens.push_back({PatternToken::Comma, c});
        } else if ((c == u'E' || c == u'e') && !exponentSeen && i + 2 < pattern.size() &&
                   (pattern[i + 1] == u'+' || pattern[i + 1] == u'-') &&
                   (pattern[i + 2] == u'0' || pattern[i + 2] == u'#')) {
            exponentSeen = true;
            PatternToken t{PatternToken::Exponent, c};
            t.expPlus = pattern[i + 1] == u'+';
            i += 2;
            while (i < pattern.size() && (pattern[i] == u'0' || pattern[i] == u'#')) {
                ++t.expDigits;
                ++i;
            }
            --i;
            tokens.push_back(t);
        } else {
            tokens.push_back({PatternToken::Literal, c});
        }
    }
    return tokens;
}

// What a tokenized pattern asks for: the places before and after the
// point, the digits that must show, grouping and the exponent.
struct PatternShape {
    std::size_t intEnd = 0; // the tokens of the integer part end here (at the point or exponent)
    int intPlaces = 0;
    int minIntDigits = 0; // from the first "0" placeholder on, every integer place shows
    int fracPlaces = 0;
    int minFracDigits = 0; // up to the last "0" placeholder of the fraction
    bool grouping = false;
    const PatternToken* exponent = nullptr;
};

PatternShape measurePattern(const std::vector<PatternToken>& tokens) {
    PatternShape shape;
    shape.intEnd = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == PatternToken::Point || tokens[i].kind == PatternToken::Exponent) {
            shape.intEnd = i;
            break;
        }
    bool forced = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const PatternToken& t = tokens[i];
        if (t.kind == PatternToken::Exponent) shape.exponent = &t;
        if (t.kind == PatternToken::Comma) shape.grouping = true;
        if (t.kind != PatternToken::Digit) continue;
        if (i < shape.intEnd) {
            ++shape.intPlaces;
            forced = forced || t.ch == u'0';
            if (forced) ++shape.minIntDigits;
        } else {
            ++shape.fracPlaces;
            if (t.ch == u'0') shape.minFracDigits = shape.fracPlaces;
        }
    }
    return shape;
}

// The digits that go into the pattern: the integer part without the zeros
// it need not show, the fraction without trailing zeros it need not show,
// and the exponent's text.
struct PatternDigits {
    std::string intDigits;
    std::string fracDigits;
    std::u16string exponentText;
};

PatternDigits patternDigits(const PatternShape& shape, double magnitude) {
    PatternDigits d;
    const int fracPlaces = shape.fracPlaces;
    if (shape.exponent) {
        const int leading = std::max(shape.intPlaces, 1);
        int e = 0;
        std::string mantissa(static_cast<std::size_t>(leading + fracPlaces), '0');
        if (magnitude != 0) {
            const Significant s = significantDigits(magnitude);
            mantissa = roundDigits(s.digits, leading + fracPlaces);
            e = s.exponent;
            if (mantissa.size() > static_cast<std::size_t>(leading + fracPlaces)) {
                mantissa.pop_back();
                ++e;
            }
            e -= leading - 1;
        }
        d.intDigits = mantissa.substr(0, static_cast<std::size_t>(leading));
        d.fracDigits = mantissa.substr(static_cast<std::size_t>(leading));
        d.exponentText += shape.exponent->ch;
        if (e < 0)
            d.exponentText += u'-';
        else if (shape.exponent->expPlus)
            d.exponentText += u'+';
        std::string number = std::to_string(std::abs(e));
        if (number.size() < static_cast<std::size_t>(shape.exponent->expDigits))
            number.insert(0, static_cast<std::size_t>(shape.exponent->expDigits) - number.size(), '0');
        for (char c : number)
            d.exponentText += static_cast<char16_t>(c);
    } else {
        std::string all;
        if (magnitude != 0) {
            const Significant s = significantDigits(magnitude);
            all = roundDigits(s.digits, s.exponent + 1 + fracPlaces);
        }
        if (all.size() < static_cast<std::size_t>(fracPlaces))
            all.insert(0, static_cast<std::size_t>(fracPlaces) - all.size(), '0');
        d.intDigits = all.substr(0, all.size() - static_cast<std::size_t>(fracPlaces));
        d.fracDigits = all.substr(all.size() - static_cast<std::size_t>(fracPlaces));
    }
    stripLeadingZeros(d.intDigits);
    if (d.intDigits.size() < static_cast<std::size_t>(shape.minIntDigits))
        d.intDigits.insert(0, static_cast<std::size_t>(shape.minIntDigits) - d.intDigits.size(), '0');
    while (d.fracDigits.size() > static_cast<std::size_t>(shape.minFracDigits) && d.fracDigits.back() == '0')
        d.fracDigits.pop_back();
    return d;
}

// The integer part is laid in from the right; the leftmost placeholder
// takes every digit that is left.
std::u16string layIntegerPart(const std::vector<PatternToken>& tokens, const PatternShape& shape,
                              const std::string& intDigits) {
    std::u16string reversed;
    std::size_t remaining = intDigits.size();
    int emitted = 0;
    auto emitDigit = [&] {
        if (shape.grouping && emitted > 0 && emitted % 3 == 0) reversed += u',';
        reversed += static_cast<char16_t>(intDigits[--remaining]);
        ++emitted;
    };
    int placesLeft = shape.intPlaces;
    for (std::size_t i = shape.intEnd; i-- > 0;) {
        const PatternToken& t = tokens[i];
        if (t.kind == PatternToken::Literal) {
            reversed += t.ch;
        } else if (t.kind == PatternToken::Digit) {
            --placesLeft;
            if (placesLeft == 0)
                while (remaining > 0)
                    emitDigit();
            else if (remaining > 0)
                emitDigit();
        }
    }
    while (remaining > 0) // a pattern without integer placeholders
        emitDigit();
    return std::u16string(reversed.rbegin(), reversed.rend());
}

// The point, the fraction's digits, the exponent and the literals after them.
void layFractionPart(const std::vector<PatternToken>& tokens, const PatternShape& shape,
                     const PatternDigits& digits, std::u16string& out) {
    std::size_t fracIndex = 0;
    for (std::size_t i = shape.intEnd; i < tokens.size(); ++i) {
        const PatternToken& t = tokens[i];
        switch (t.kind) {
        case PatternToken::Point: out += u'.'; break;
        case PatternToken::Digit:
            if (fracIndex < digits.fracDigits.size())
                out += static_cast<char16_t>(digits.fracDigits[fracIndex++]);
            break;
        case PatternToken::Exponent: out += digits.exponentText; break;
        case PatternToken::Literal:
        case PatternToken::Comma: out += t.ch; break;
        }
    }
}

} // namespace

std::u16string applyNumberPattern(std::u16string_view pattern, double magnitude) {
    // Digits are read from the exponent form, which infinity and NaN lack.
    finiteOrOverflow(magnitude);
    const std::vector<PatternToken> tokens = tokenizePattern(pattern);
    const PatternShape shape = measurePattern(tokens);
    const PatternDigits digits = patternDigits(shape, magnitude);
    std::u16string out = layIntegerPart(tokens, shape, digits.intDigits);
    layFractionPart(tokens, shape, digits, out);
    return out;
}

std::u16string formatNumericField(std::u16string_view field, double value) {
    std::u16string pattern(field);
    std::u16string text;
    const bool negative = value < 0;
    if (!pattern.empty() && pattern[0] == u'#') {
        if (negative) text = u"-";
        pattern.erase(0, 1);
        if (!pattern.empty() && pattern[0] == u',') {
            // ",#" would group nothing in front: the comma moves behind the next "#".
            const std::size_t hash = pattern.find(u'#', 1);
            if (hash != std::u16string::npos) {
                pattern.insert(hash + 1, 1, u',');
                pattern.erase(0, 1);
            }
        }
    } else if (!pattern.empty() && pattern[0] == u'+') {
        text = negative ? u"-" : u"+";
        pattern.erase(0, 1);
    } else if (negative) {
        // A field that starts with neither "#" nor "+" still shows the
        // sign of a negative number: dropping it would print a wrong value.
        text = u"-";
    }
    std::u16string digits = applyNumberPattern(pattern, std::fabs(value));
    const std::size_t firstNonBlank = digits.find_first_not_of(u' ');
    digits.erase(0, firstNonBlank == std::u16string::npos ? digits.size() : firstNonBlank);
    text += digits;
    const std::size_t width = field.size();
    if (text.size() > width) return u"%" + text;
    return std::u16string(width - text.size(), u' ') + text;
}

UsingFormat::UsingFormat(std::u16string_view format) {
    std::size_t i = 0;
    while (i < format.size()) {
        if (pieces_.size() == MaxUsingPieces) raise(ErrUnprintable);
        UsingPiece piece;
        const char16_t c = format[i];
        if (!isFieldChar(c)) {
            const std::size_t start = i;
            while (i < format.size() && !isFieldChar(format[i]))
                ++i;
            piece.text = format.substr(start, i - start);
        } else if (c == u'@') {
            piece.kind = UsingPiece::Kind::String;
            piece.text = u"@";
            ++i;
        } else if (c == u'&') {
            const std::size_t start = i++;
            while (i < format.size() && format[i] == u' ')
                ++i;
            if (i >= format.size() || format[i] != u'&') raise(ErrSyntax);
            ++i;
            piece.kind = UsingPiece::Kind::String;
            piece.text = format.substr(start, i - start);
            piece.width = static_cast<int>(i - start);
        } else {
            const std::size_t start = i;
            while (i < format.size() && isNumericRunChar(format[i]))
                ++i;
            piece.text = format.substr(start, i - start);
            if (piece.text.find(u'#') != std::u16string::npos) {
                piece.kind = UsingPiece::Kind::Numeric;
                piece.text = rewriteNumericField(std::move(piece.text));
                piece.width = static_cast<int>(piece.text.size());
            }
        }
        if (piece.kind != UsingPiece::Kind::Literal) ++fields_;
        pieces_.push_back(std::move(piece));
    }
}

std::u16string UsingFormat::formatItem(const Value& item) {
    std::u16string out;
    for (;;) {
        if (next_ >= pieces_.size()) next_ = 0;
        const UsingPiece& piece = pieces_[next_++];
        if (piece.kind == UsingPiece::Kind::Literal) {
            out += piece.text;
            continue;
        }
        used_ = true;
        if (piece.kind == UsingPiece::Kind::String) {
            if (!item.isString()) raise(ErrTypeMismatch);
            if (piece.text == u"@") return out + item.unicodeText();
            // The item padded with 40 blanks, cut to the field's bytes; a
            // double-byte character cut in two becomes a blank.
            std::string bytes = item.byteForm() + std::string(40, ' ');
            const std::size_t width = static_cast<std::size_t>(piece.width);
            if (bytes.size() > width) {
                std::size_t k = 0;
                while (k < width)
                    k += cp932::isLeadByte(static_cast<unsigned char>(bytes[k])) && k + 1 < bytes.size() ? 2
                                                                                                         : 1;
                if (k > width) bytes[width - 1] = ' ';
                bytes.resize(width);
            }
            return out + cp932::decode(bytes);
        }
        double number = 0;
        if (item.isString()) {
            if (!parseNumber(item.byteForm(), number)) raise(ErrTypeMismatch);
        } else if (item.kind() == ValueKind::Single) {
            // A Single is the number its seven digits show (2.675, not the
            // 2.67499995 of its binary form), so it rounds as it prints.
            char digits[32];
            std::snprintf(digits, sizeof digits, "%.7g", static_cast<double>(item.rawSingle()));
            number = std::strtod(digits, nullptr);
        } else {
            number = item.toDouble();
        }
        return out + formatNumericField(piece.text, number);
    }
}

std::u16string UsingFormat::finish() const {
    std::u16string out;
    if (!used_) return out;
    for (std::size_t i = next_; i < pieces_.size(); ++i) {
        const UsingPiece& piece = pieces_[i];
        if (piece.kind == UsingPiece::Kind::Literal)
            out += piece.text;
        else
            out.append(static_cast<std::size_t>(piece.width == 0 ? 1 : piece.width), u' ');
    }
    return out;
}

} // namespace korvelin
