// MKI$, MKL$, MKS$, MKD$ and their reverses CVI, CVL, CVS, CVD: numbers
// as the little-endian binary images that random-file records carry. The
// image is the string's byte form itself, so every byte value survives.

#include "expressions/BuiltinFunctions.h"
#include "expressions/FunctionArguments.h"

#include "values/CheckedNumbers.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace korvelin {

namespace {

template <class T> Value image(T v) {
    static_assert(std::endian::native == std::endian::little);
    std::string bytes(sizeof v, '\0');
    std::memcpy(bytes.data(), &v, sizeof v);
    return Value::bytes(std::move(bytes));
}

// A record string of the wrong length is error 5 and can be trapped like
// any other error.
template <class T> T fromImage(Interpreter& in) {
    const std::string bytes = textOf(singleArgument(in));
    if (bytes.size() != sizeof(T)) raise(ErrIllegalCall);
    T v;
    std::memcpy(&v, bytes.data(), sizeof v);
    // An image of infinity or NaN (any eight bytes can be one) is refused
    // as an overflow: no such number exists in a program.
    if constexpr (std::is_floating_point_v<T>) finiteOrOverflow(v);
    return v;
}

Value integerImage(Interpreter& in) {
    return image(toIntegerRounded(singleArgument(in)));
}
Value longImage(Interpreter& in) {
    return image(toLongRounded(singleArgument(in)));
}
Value singleImage(Interpreter& in) {
    return image(checkedSingle(singleArgument(in).toDouble()));
}
Value doubleImage(Interpreter& in) {
    return image(singleArgument(in).toDouble());
}

Value integerFromImage(Interpreter& in) {
    return Value::integer(fromImage<std::int16_t>(in));
}
Value longFromImage(Interpreter& in) {
    return Value::longInt(fromImage<std::int32_t>(in));
}
Value singleFromImage(Interpreter& in) {
    return Value::single(fromImage<float>(in));
}
Value doubleFromImage(Interpreter& in) {
    return Value::dbl(fromImage<double>(in));
}

} // namespace

void registerRecordConversions(BuiltinTable& table) {
    table[KwMkiS] = integerImage;
    table[KwMklS] = longImage;
    table[KwMksS] = singleImage;
    table[KwMkdS] = doubleImage;
    table[KwCvi] = integerFromImage;
    table[KwCvl] = longFromImage;
    table[KwCvs] = singleFromImage;
    table[KwCvd] = doubleFromImage;
}

} // namespace korvelin
