#pragma once
// Numbers written as text and text read as numbers.
//
// Single values show at most 7 significant digits and Double values at most
// 15. A value switches to exponent form ("1E+20", "-1.5E-07": mantissa, "E",
// sign, at least two digits) when its decimal exponent, after rounding to
// those digits, is below -4 or reaches the digit count: so 0.0001 stays
// ".0001" while 0.00001 is "1E-05", and a Double goes exponential from 1E+15,
// a Single from 1E+07 (the thresholds of C's %G). The last digit is rounded
// to nearest from the value's exact binary value.

#include "values/Value.h"

#include <string>
#include <string_view>

namespace korvelin {

// The value of a hexadecimal digit (0-9, A-F in either case; UTF-16 units
// and bytes alike), -1 for any other character. Octal and decimal readers
// reject the digits at or above their base themselves.
constexpr int hexDigitValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The print form (PRINT, STR$): one blank in front of a value >= 0, "-" in
// front of a negative one, and no "0" before the decimal point (" .5",
// "-.25"). Empty prints as " 0" and a Boolean as the Integer it stands for.
// A String is converted as a number first; one that is not a number is a
// type mismatch.
std::string formatNumber(const Value& v);

// The plain form a number takes when it is used as text (assigned to a
// string, "5", "0.5", "-1E+20"): no leading blank, and the "0" before the
// point kept. A Boolean gives "-1" or "0" (not "True"/"False"); Empty and
// Strings are not numbers and give "".
std::string numberText(const Value& v);

// A whole text as a number: blanks around it, an optional sign, digits with
// an optional point, an optional exponent (E or D, either case, with a sign),
// or an &H / &O prefixed integer (&HFFFF is 65535, never negative). Returns
// false when the text is anything else or too large for a Double.
bool parseNumber(std::string_view text, double& out);

// The number at the start of a text, as VAL reads it: blanks are skipped,
// even between the characters of the number (" 1 2" is 12, as old BASICs
// read it), and whatever follows the longest numeric prefix is ignored. A
// text that does not start with a number gives 0; one too large for a Double
// is an Other failure.
double parseLeadingNumber(std::string_view text);

} // namespace korvelin
