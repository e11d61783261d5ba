#include "values/RandomState.h"

#include <cstring>

namespace korvelin {

namespace {
constexpr std::uint32_t Mask24 = 0xFFFFFF;

std::uint32_t foldBits(double x) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    const std::uint32_t high = static_cast<std::uint32_t>(bits >> 32);
    return ((high & 0xFFFF) ^ (high >> 16)) << 8;
}
} // namespace

float RandomState::next() {
    // A 24-bit linear congruential generator: cheap, and every value is an
    // exact single-precision fraction.
    seed_ = (seed_ * 0x43FD43FDu + 0xC39EC3u) & Mask24;
    last_ = static_cast<float>(seed_) / 16777216.0f;
    return last_;
}

void RandomState::reseed(double x) {
    // Keep the low byte of the current state so that RANDOMIZE with the
    // same number in two places of a run still gives different sequences.
    seed_ = (foldBits(x) | (seed_ & 0xFF)) & Mask24;
}

void RandomState::restart(double x) {
    float f = static_cast<float>(x);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    seed_ = (bits + (bits >> 24)) & Mask24;
}

} // namespace korvelin
