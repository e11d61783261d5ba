#pragma once
// The message of each interpreter error number. Numbers without a message
// of their own have an empty text.

#include <string_view>

namespace korvelin {

constexpr int ErrorMessageCount = 76; // numbers 0..75

std::u16string_view errorMessage(int number);

} // namespace korvelin
