#pragma once
#include <string>

// The looping film on the screen above the stones: 72 images, each replaced by
// the next after a little more than 0.1 s. Nothing is preloaded.
namespace film {
constexpr int ImageCount = 72;
constexpr double ChangeAfterSeconds = 0.1;
inline constexpr const char* PathPrefix = "../assets/frames/frame";
inline constexpr const char* PathSuffix = ".jpg";
}  // namespace film

struct ImageSequence {
    // Image 1 is loaded at set-up, so the first change loads image 2.
    int frameNumber = 2;
    float frameTimer = 0.0f;
};

// The loop-head timer advance, the sum taken in double and rounded to float.
void advanceFilmTimer(ImageSequence& film, float deltaTime);

// When the image is due to change: resets the timer, steps frameNumber and
// returns true with the path of the image to load.
bool advanceImageSequence(ImageSequence& film, std::string& pathToLoad);

std::string filmImagePath(int number);
