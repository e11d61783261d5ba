#pragma once
// The pseudo-random sequence behind RND, reseeded by RANDOMIZE.

#include <cstdint>

namespace korvelin {

class RandomState {
  public:
    // The next number of the sequence, in [0, 1).
    float next();
    // The number next() returned last.
    float last() const { return last_; }
    // Restarts the sequence from a seed derived from x.
    void reseed(double x);
    // RND with a negative argument: the same x always restarts the same sequence.
    void restart(double x);

  private:
    std::uint32_t seed_ = 0x50000;
    float last_ = 0;
};

} // namespace korvelin
