#pragma once
#include <cstdint>

// The 15-bit linear congruential generator the level is laid out with. Its
// arithmetic is fixed here because the C library's rand differs between
// platforms, and both the small stones and the star field depend on the exact
// sequence.
class Lcg15 {
public:
    static constexpr int Max = 32767;

    void seed(std::uint32_t value) { state_ = value; }
    // 0..32767.
    int next();

private:
    std::uint32_t state_ = 1;
};

// The one generator of the process: seeded for the small stones at start-up and
// seeded again later by the star field, so both share it on purpose.
Lcg15& sharedLcg15();
