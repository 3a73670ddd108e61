#include "game/lcg15.h"

int Lcg15::next() {
    // Unsigned arithmetic wraps modulo 2^32 by definition.
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

Lcg15& sharedLcg15() {
    static Lcg15 generator;
    return generator;
}
