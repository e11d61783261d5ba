// SIN, COS, TAN, ATN, SQR, LOG, EXP, INT, FIX, ABS, SGN, CINT, CSNG, CDBL,
// VAL and RND.

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"
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

template <double (*op)(double)> Value transcendental(const Value& argument) {
    const double x = argument.toDouble();
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

Value tangent(const Value& argument) {
    const double x = argument.toDouble();
    if (std::cos(x) == 0) raise(ErrIllegalCall);
    return Value::dbl(std::tan(x));
}

Value squareRoot(const Value& argument) {
    const double x = argument.toDouble();
    if (x < 0) raise(ErrIllegalCall);
    return Value::dbl(std::sqrt(x));
}

Value logarithm(const Value& argument) {
    const double x = argument.toDouble();
    if (!(x > 0)) raise(ErrIllegalCall);
    return Value::dbl(std::log(x));
}

// INT and FIX keep the kind of their argument: whole kinds are already
// whole, a Single stays single precision, a String becomes the Double it
// spells.
template <double (*whole)(double)> Value wholePart(const Value& x) {
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

Value absolute(const Value& x) {
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

Value sign(const Value& argument) {
    const double x = argument.toDouble();
    return Value::integer(x > 0 ? 1 : x < 0 ? -1 : 0);
}

Value toInteger(const Value& x) {
    return Value::integer(toIntegerRounded(x));
}

Value toSingle(const Value& argument) {
    const double x = argument.toDouble();
    const auto f = static_cast<float>(x);
    if (std::isinf(f) && std::isfinite(x)) failHost(HostFailureKind::Other);
    return Value::single(f);
}

Value toDouble(const Value& x) {
    return Value::dbl(x.toDouble());
}

Value valueOfText(const Value& x) {
    if (x.isString()) return Value::dbl(parseLeadingNumber(x.byteForm()));
    return Value::dbl(parseLeadingNumber(textOf(x)));
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

// Every function here but RND reads one argument and then computes.
constexpr OneArgumentEntry oneArgumentFunctions[] = {
    {KwSin, transcendental<sine>, readOneArgument<transcendental<sine>>},
    {KwCos, transcendental<cosine>, readOneArgument<transcendental<cosine>>},
    {KwTan, tangent, readOneArgument<tangent>},
    {KwAtn, transcendental<arcTangent>, readOneArgument<transcendental<arcTangent>>},
    {KwExp, transcendental<exponential>, readOneArgument<transcendental<exponential>>},
    {KwSqr, squareRoot, readOneArgument<squareRoot>},
    {KwLog, logarithm, readOneArgument<logarithm>},
    {KwInt, wholePart<floorOf>, readOneArgument<wholePart<floorOf>>},
    {KwFix, wholePart<truncationOf>, readOneArgument<wholePart<truncationOf>>},
    {KwAbs, absolute, readOneArgument<absolute>},
    {KwSgn, sign, readOneArgument<sign>},
    {KwCint, toInteger, readOneArgument<toInteger>},
    {KwCsng, toSingle, readOneArgument<toSingle>},
    {KwCdbl, toDouble, readOneArgument<toDouble>},
    {KwVal, valueOfText, readOneArgument<valueOfText>},
};

} // namespace

OneArgumentFunction numericFunctionOf(int keyword) {
    return findOneArgumentFunction(oneArgumentFunctions, keyword);
}

void registerNumericFunctions(BuiltinTable& table) {
    registerOneArgumentFunctions(table, oneArgumentFunctions);
    table[KwRnd] = randomNumber;
}

} // namespace korvelin
