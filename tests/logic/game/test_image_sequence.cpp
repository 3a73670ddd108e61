#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/image_sequence.h"

namespace {

std::vector<int> changesOver(int frames, float deltaTime, ImageSequence& film,
                             std::vector<std::string>* paths = nullptr) {
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

TEST(ImageSequence, AnImageStaysUpUntilMoreThanATenthOfASecondHasPassed) {
    // Six frames a little under 1/60 s fall short of 0.1 s, so the seventh changes.
    ImageSequence film;
    auto changes = changesOver(70, 0.0166f, film);
    ASSERT_GE(changes.size(), 9u);
    for (std::size_t i = 1; i < changes.size(); ++i) EXPECT_EQ(changes[i] - changes[i - 1], 7);
    // Six frames of exactly the float 1/60 sum to a hair over 0.1 s; the excess is dropped each time.
    ImageSequence exact;
    changes = changesOver(70, 1.0f / 60.0f, exact);
    ASSERT_GE(changes.size(), 10u);
    for (std::size_t i = 1; i < changes.size(); ++i) EXPECT_EQ(changes[i] - changes[i - 1], 6);
}

TEST(ImageSequence, SlowFramesChangeEveryFrameAndLoopAfterImage72) {
    ImageSequence film;
    std::vector<std::string> paths;
    const auto changes = changesOver(75, 0.2f, film, &paths);
    ASSERT_EQ(changes.size(), 75u);
    EXPECT_EQ(paths.front(), "../assets/frames/frame2.jpg");
    EXPECT_EQ(paths[70], "../assets/frames/frame72.jpg");
    EXPECT_EQ(paths[71], "../assets/frames/frame1.jpg");
    EXPECT_EQ(paths[72], "../assets/frames/frame2.jpg");
    EXPECT_EQ(film.frameNumber, 5);
}

TEST(ImageSequence, ATenthOfASecondInFloatAlreadyChangesTheImage) {
    ImageSequence film;
    film.frameTimer = 0.1f;
    std::string path;
    // 0.1f widened is a hair above 0.1, so it does change.
    EXPECT_TRUE(advanceImageSequence(film, path));
    film.frameTimer = 0.099999994f;
    EXPECT_FALSE(advanceImageSequence(film, path));
    EXPECT_FLOAT_EQ(film.frameTimer, 0.099999994f);
}

}  // namespace
