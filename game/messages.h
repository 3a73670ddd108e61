#pragma once
// Every console text of the game world, in one place.
namespace messages {

// One small stone as start-up lists it: x, a blank, z, each "%f".
inline constexpr const char* SmallStoneLineFormat = "%f %f";

}  // namespace messages
