#pragma once
// The simulator's own texts. Its trace goes to standard output; its complaints
// about the script go to standard error, so a trace stays clean to compare.
namespace messages {

inline constexpr const char* TraceHeader = "frame lives time carrots x y z facing camx camy camz ended end";
inline constexpr const char* LinePrefix = "meadowhop-sim: line ";
inline constexpr const char* BadFieldCount = ": expected '<dt> <keys>'";
inline constexpr const char* BadDeltaTime = ": dt is not a finite number of seconds >= 0";
inline constexpr const char* BadKeys = ": keys must be '-' or W, A, S, D, SPACE joined by '+'";
inline constexpr const char* PhysicsFailed = "meadowhop-sim: the physics world could not be created";

}  // namespace messages
