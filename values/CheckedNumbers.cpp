#include "values/CheckedNumbers.h"

#include "values/ValueOps.h"

#include <limits>

namespace korvelin {

namespace {

// NaN fails both comparisons, so it is out of range too.
bool withinLong(double d) {
    return d >= -2147483648.0 && d <= 2147483647.0;
}
bool withinInteger(double d) {
    return d >= -32768.0 && d <= 32767.0;
}

} // namespace

std::int32_t roundedLong(double d) {
    const double whole = std::nearbyint(d);
    if (!withinLong(whole)) failHost(HostFailureKind::Other);
    return static_cast<std::int32_t>(whole);
}

std::int16_t roundedInteger(double d) {
    const double whole = std::nearbyint(d);
    if (!withinInteger(whole)) failHost(HostFailureKind::Other);
    return static_cast<std::int16_t>(whole);
}

std::int32_t flooredLong(double d) {
    const double whole = std::floor(d);
    if (!withinLong(whole)) failHost(HostFailureKind::Other);
    return static_cast<std::int32_t>(whole);
}

std::int16_t flooredInteger(double d) {
    const double whole = std::floor(d);
    if (!withinInteger(whole)) failHost(HostFailureKind::Other);
    return static_cast<std::int16_t>(whole);
}

std::int32_t truncatedLong(double d) {
    const double whole = std::trunc(d);
    if (!withinLong(whole)) failHost(HostFailureKind::Other);
    return static_cast<std::int32_t>(whole);
}

float checkedSingle(double d) {
    if (std::isnan(d) || std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
        failHost(HostFailureKind::Other);
    return static_cast<float>(d);
}

std::int16_t coordinateOf(const Value& v) {
    if (v.isString()) failHost(HostFailureKind::TypeMismatch);
    return toIntegerRounded(v);
}

std::int32_t countOf(const Value& v) {
    if (v.isString()) failHost(HostFailureKind::TypeMismatch);
    const std::int32_t n = toLongRounded(v);
    if (n < 0) failHost(HostFailureKind::InvalidArgument);
    return n;
}

} // namespace korvelin
