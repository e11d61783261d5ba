#pragma once
// The PRINT USING field language: a format string parsed into pieces
// (literal text, numeric fields, string fields), items formatted through
// them one after another, wrapping round to the first piece.

#include "values/Value.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvelin {

inline constexpr std::size_t MaxUsingPieces = 40;

struct UsingPiece {
    enum class Kind : std::uint8_t { Literal, Numeric, String };
    Kind kind = Kind::Literal;
    // Literal text; a numeric field after its rewrite ("###.##" is
    // "##0.00"); "@" or the "&  &" field as written.
    std::u16string text;
    int width = 0; // in bytes, for fields
};

class UsingFormat {
  public:
    // Parses a format; throws InterpreterError 1 for an "&" field without
    // its closing "&" and 21 for more than MaxUsingPieces pieces.
    explicit UsingFormat(std::u16string_view format);

    bool hasFields() const { return fields_ > 0; }
    const std::vector<UsingPiece>& pieces() const { return pieces_; }

    // The text of one item: the literal pieces up to the next field, then
    // the item in that field. Throws InterpreterError 13 for a number in a
    // string field or a string that is no number in a numeric field.
    std::u16string formatItem(const Value& item);
    // After the last item: the pieces behind the last field used, literals
    // as they stand and fields as blanks of their width. Empty when no
    // item was formatted.
    std::u16string finish() const;

  private:
    std::vector<UsingPiece> pieces_;
    int fields_ = 0;
    std::size_t next_ = 0; // the piece after the last field used
    bool used_ = false;
};

// One number in a numeric field (as rewritten by the parser): the sign
// prefix, the digits laid into the pattern, right-aligned in the field's
// width, or "%" and the whole text when it does not fit.
std::u16string formatNumericField(std::u16string_view field, double value);

// The digits of |value| laid into a number pattern ("#" optional digit, "0"
// forced digit, "." point, "," grouping, "E+00" exponent, "\" escapes the
// next character; anything else stands as it is).
std::u16string applyNumberPattern(std::u16string_view pattern, double magnitude);

} // namespace korvelin
