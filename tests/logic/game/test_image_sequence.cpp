#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/image_sequence.h"

namespace {

// The frames (from 1) on which the film changed, and the images it loaded.
std::vector<int> changesOver(int frames, float deltaTime, std::vector<std::string>* paths = nullptr) {
    ImageSequence film;
    std::vector<int> changedAt;
    for (int frame = 1; frame <= frames; ++frame) {
        advanceFilmTimer(film, deltaTime);
        std::string path;
        if (advanceImageSequence(film, path)) {
            changedAt.push_back(frame);
            if (paths) paths->push_back(path);
        }
    }
    return changedAt;
}

TEST(ImageSequence, AnImageStaysUpUntilMoreThanATenthOfASecondHasPassedAndImage72IsFollowedByImage1) {
    // Six frames a little under 1/60 s fall short of 0.1 s, so the seventh changes.
    EXPECT_EQ(changesOver(30, 0.0166f), (std::vector<int>{7, 14, 21, 28}));
    // Six frames of exactly the float 1/60 sum to a hair over 0.1 s; the excess is dropped each time.
    EXPECT_EQ(changesOver(30, 1.0f / 60.0f), (std::vector<int>{6, 12, 18, 24, 30}));
    // 0.1f widened is a hair above 0.1, so it does change.
    ImageSequence film;
    std::string path;
    film.frameTimer = 0.1f;
    EXPECT_TRUE(advanceImageSequence(film, path));
    film.frameTimer = 0.099999994f;
    EXPECT_FALSE(advanceImageSequence(film, path));
    // Slow frames change it every frame; it loops after image 72 (the stage test holds the first change).
    std::vector<std::string> paths;
    ASSERT_EQ(changesOver(73, 0.2f, &paths).size(), 73u);
    EXPECT_EQ(paths[70], "../assets/frames/frame72.jpg");
    EXPECT_EQ(paths[71], "../assets/frames/frame1.jpg");
    EXPECT_EQ(paths[72], "../assets/frames/frame2.jpg");
}

}  // namespace
