#pragma once
#include <cstdint>

namespace kv {

// 128-bit approximations of the powers of five 5^q for q from -342 to 308,
// normalised so that bit 127 is set, as the decimal-to-binary conversion of
// NumberText uses them.
constexpr int kSmallestPowerOfFive = -342;
constexpr int kLargestPowerOfFive = 308;
constexpr int kPowersOfFiveCount = kLargestPowerOfFive - kSmallestPowerOfFive + 1;
extern const uint64_t kPowersOfFive128[kPowersOfFiveCount * 2];

}  // namespace kv
