// SIN, COS, TAN, ATN, SQR, LOG, EXP, INT, FIX, ABS, SGN, CINT, CSNG, CDBL,
// VAL and RND.

#include "values/BuiltinFunctions.h"
#include "values/FunctionArguments.h"
#include "values/NumberText.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace korvelin {

namespace {

// An infinite result from a finite argument is an overflow (error 21).
Value checkedResult(double result, double argument) {
    if (std::isinf(result) && std::isfinite(argument)) failHost(HostFailureKind::Other);
    return Value::dbl(result);
}

template <double (*op)(double)> Value transcendental(Interpreter& in) {
    const double x = singleArgument(in).toDouble();
    return checkedResult(op(x), x);
}

double sine(double x) {
    return std::sin(x);
}
double cosine(double x) {
    return std::cos(x);
}
double arcTangent(double x) {
    return std::atan(x);
}
double exponential(double x) {
    return std::exp(x);
}

Value tangent(Interpreter& in) {
    const double x = singleArgument(in).toDouble();
    if (std::cos(x) == 0) raise(ErrIllegalCall);
    return Value::dbl(std::tan(x));
}

Value squareRoot(Interpreter& in) {
    const double x = singleArgument(in).toDouble();
    if (x < 0) raise(ErrIllegalCall);
    return Value::dbl(std::sqrt(x));
}

Value logarithm(Interpreter& in) {
    const double x = singleArgument(in).toDouble();
    if (!(x > 0)) raise(ErrIllegalCall);
    return Value::dbl(std::log(x));
}

// INT and FIX keep the kind of their argument: whole kinds are already
// whole, a Single stays single precision, a String becomes the Double it
// spells.
template <double (*whole)(double)> Value wholePart(Interpreter& in) {
    const Value x = singleArgument(in);
    switch (x.kind()) {
    case ValueKind::Integer:
    case ValueKind::Long: return x;
    case ValueKind::Boolean: return Value::integer(x.rawInteger());
    case ValueKind::Empty: return Value::integer(0);
    case ValueKind::Single: return Value::single(static_cast<float>(whole(x.rawSingle())));
    case ValueKind::Double:
    case ValueKind::String: break;
    }
    return Value::dbl(whole(x.toDouble()));
}

double floorOf(double x) {
    return std::floor(x);
}
double truncationOf(double x) {
    return std::trunc(x);
}

Value absolute(Interpreter& in) {
    const Value x = singleArgument(in);
    switch (x.kind()) {
    case ValueKind::Integer:
    case ValueKind::Long: return x.toDouble() < 0 ? negate(x) : x; // -32768 becomes a Long
    case ValueKind::Boolean: return Value::integer(x.rawInteger() < 0 ? 1 : 0);
    case ValueKind::Empty: return Value::integer(0);
    case ValueKind::Single: return Value::single(std::fabs(x.rawSingle()));
    case ValueKind::Double:
    case ValueKind::String: break;
    }
    return Value::dbl(std::fabs(x.toDouble()));
}

Value sign(Interpreter& in) {
    const double x = singleArgument(in).toDouble();
    return Value::integer(x > 0 ? 1 : x < 0 ? -1 : 0);
}

Value toInteger(Interpreter& in) {
    return Value::integer(toIntegerRounded(singleArgument(in)));
}

Value toSingle(Interpreter& in) {
    const double x = singleArgument(in).toDouble();
    const auto f = static_cast<float>(x);
    if (std::isinf(f) && std::isfinite(x)) failHost(HostFailureKind::Other);
    return Value::single(f);
}

Value toDouble(Interpreter& in) {
    return Value::dbl(singleArgument(in).toDouble());
}

Value valueOfText(Interpreter& in) {
    return Value::dbl(parseLeadingNumber(textOf(singleArgument(in))));
}

// RND [ ( x ) ]: a negative x restarts the sequence from a seed made of x,
// 0 repeats the last number, anything else moves on.
Value randomNumber(Interpreter& in) {
    Lexer& lexer = in.lexer;
    lexer.nextToken();
    if (!lexer.isSymbol(u'(')) return Value::single(in.random.next());
    lexer.nextToken();
    const double x = evaluateExpression(in).toDouble();
    in.expectSymbol(u')');
    lexer.nextToken();
    if (x < 0) {
        in.random.restart(x);
        return Value::single(in.random.next());
    }
    if (x == 0) return Value::single(in.random.last());
    return Value::single(in.random.next());
}

} // namespace

void registerNumericFunctions(BuiltinTable& table) {
    table[KwSin] = transcendental<sine>;
    table[KwCos] = transcendental<cosine>;
    table[KwTan] = tangent;
    table[KwAtn] = transcendental<arcTangent>;
    table[KwExp] = transcendental<exponential>;
    table[KwSqr] = squareRoot;
    table[KwLog] = logarithm;
    table[KwInt] = wholePart<floorOf>;
    table[KwFix] = wholePart<truncationOf>;
    table[KwAbs] = absolute;
    table[KwSgn] = sign;
    table[KwCint] = toInteger;
    table[KwCsng] = toSingle;
    table[KwCdbl] = toDouble;
    table[KwVal] = valueOfText;
    table[KwRnd] = randomNumber;
}

} // namespace korvelin
