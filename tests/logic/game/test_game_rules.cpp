#include <gtest/gtest.h>

#include "game/game_rules.h"
#include "game/trunk_random.h"

namespace {

constexpr float Frame60 = 1.0f / 60.0f;
const glm::vec3 Rabbit(0.0f, 15.0f, 0.0f);

// Game seconds until the countdown decides the game is lost.
float secondsUntilTimeOut(float deltaTime) {
    GameState state;
    bool ended = false;
    double elapsed = 0.0;
    for (int frame = 0; frame < 100000; ++frame) {
        updateCountdown(state, deltaTime);
        elapsed += deltaTime;
        if (evaluateEnd(state, ended) == EndDecision::Lose) return static_cast<float>(elapsed);
    }
    return -1.0f;
}

TEST(Countdown, FirstStepAlreadyShowsFiftyNine) {
    GameState state;
    // A first frame shorter than one step leaves the clock at 60.
    updateCountdown(state, 0.001f);
    EXPECT_FLOAT_EQ(state.timeLeft, 60.0f);
    updateCountdown(state, Frame60);
    EXPECT_EQ(static_cast<int>(state.timeLeft), 59);
}

TEST(Countdown, RunsOnGameTimeAtAnyFrameRate) {
    // From 60 down to the first value under 1: 59 seconds, whatever the rate.
    EXPECT_NEAR(secondsUntilTimeOut(1.0f / 30.0f), 59.0f, 0.05f);
    EXPECT_NEAR(secondsUntilTimeOut(Frame60), 59.0f, 0.05f);
    EXPECT_NEAR(secondsUntilTimeOut(1.0f / 144.0f), 59.0f, 0.05f);
    EXPECT_NEAR(secondsUntilTimeOut(1.0f / 1000.0f), 59.0f, 0.05f);
}

TEST(Countdown, AStalledFrameCatchesUpButStopsJustUnderOne) {
    GameState state;
    updateCountdown(state, 10.0f);
    // 599 whole steps; the rest waits in the accumulator.
    EXPECT_NEAR(state.timeLeft, 60.0f - 599.0f / 60.0f, 0.001f);
    updateCountdown(state, 0.01f);
    EXPECT_NEAR(state.timeLeft, 50.0f, 0.001f);
    updateCountdown(state, 1.0e6f);
    EXPECT_LT(state.timeLeft, 1.0f);
    EXPECT_GE(state.timeLeft, 0.983f);
    const float floor = state.timeLeft;
    updateCountdown(state, 5.0f);
    EXPECT_EQ(state.timeLeft, floor);
}

TEST(Pickups, AHeartAddsALifeAndSwapsTheMessages) {
    GameState state;
    state.lostLifeMessage = true;
    bool taken = false;
    EXPECT_TRUE(applyPickupRule(state, PickupKind::Heart, taken, Rabbit + glm::vec3(29.9f, 0, 0), Rabbit));
    EXPECT_FLOAT_EQ(state.lives, 4.0f);
    EXPECT_TRUE(taken);
    EXPECT_TRUE(state.gainedLifeMessage);
    EXPECT_FALSE(state.lostLifeMessage);
    // Taken once only.
    EXPECT_FALSE(applyPickupRule(state, PickupKind::Heart, taken, Rabbit, Rabbit));
    EXPECT_FLOAT_EQ(state.lives, 4.0f);
}

TEST(Pickups, CarrotsUseTheSmallerRadiusAndLeaveMessagesAlone) {
    GameState state;
    state.lostLifeMessage = true;
    bool taken = false;
    EXPECT_FALSE(applyPickupRule(state, PickupKind::Carrot, taken, Rabbit + glm::vec3(0, 0, 25.0f), Rabbit));
    EXPECT_FALSE(taken);
    EXPECT_TRUE(applyPickupRule(state, PickupKind::Carrot, taken, Rabbit + glm::vec3(0, 0, 24.9f), Rabbit));
    EXPECT_FLOAT_EQ(state.carrotsCollected, 1.0f);
    EXPECT_TRUE(state.lostLifeMessage);
    EXPECT_FALSE(state.gainedLifeMessage);
}

TEST(NoLivesLeft, NothingIsPickedUpOrHitAndTheGameIsLostWithTimeZero) {
    GameState state;
    state.lives = 0.0f;
    bool taken = false;
    EXPECT_FALSE(applyPickupRule(state, PickupKind::Heart, taken, Rabbit, Rabbit));
    EXPECT_FALSE(applyPickupRule(state, PickupKind::Carrot, taken, Rabbit, Rabbit));
    Trunk trunk{Rabbit, false};
    EXPECT_FALSE(applyTrunkRule(state, trunk, Rabbit));
    EXPECT_FALSE(trunk.hit);
    EXPECT_FLOAT_EQ(state.lives, 0.0f);
    bool ended = false;
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::Lose);
    EXPECT_TRUE(ended);
    EXPECT_EQ(state.timeLeft, 0.0f);
}

TEST(Trunks, TwoInRangeInOneFrameCostTwoLivesAndEachOnlyOnce) {
    GameState state;
    state.gainedLifeMessage = true;
    Trunk first{Rabbit + glm::vec3(69.0f, 0, 0), false};
    Trunk second{Rabbit + glm::vec3(0, 0, -30.0f), false};
    Trunk farAway{Rabbit + glm::vec3(0, 0, 70.0f), false};
    EXPECT_TRUE(applyTrunkRule(state, first, Rabbit));
    EXPECT_TRUE(applyTrunkRule(state, second, Rabbit));
    EXPECT_FALSE(applyTrunkRule(state, farAway, Rabbit));
    EXPECT_FLOAT_EQ(state.lives, 1.0f);
    EXPECT_TRUE(state.lostLifeMessage);
    EXPECT_FALSE(state.gainedLifeMessage);
    EXPECT_FALSE(applyTrunkRule(state, first, Rabbit));
    EXPECT_FLOAT_EQ(state.lives, 1.0f);
}

TEST(EndDecision, TheEighthCarrotWinsAtOnceWithLivesAndTimeLeft) {
    GameState state;
    bool ended = false;
    state.carrotsCollected = 7.0f;
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::None);
    EXPECT_FALSE(ended);
    state.carrotsCollected = 8.0f;
    state.timeLeft = 1.0f;
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::Win);
    EXPECT_TRUE(ended);
    EXPECT_FLOAT_EQ(state.timeLeft, 1.0f);
}

TEST(EndDecision, LosingTheLastLifeAfterAWinShowsNeitherMessage) {
    GameState state;
    bool ended = false;
    state.carrotsCollected = 8.0f;
    state.lives = 1.0f;
    ASSERT_EQ(evaluateEnd(state, ended), EndDecision::Win);
    Trunk trunk{Rabbit, false};
    ASSERT_TRUE(applyTrunkRule(state, trunk, Rabbit));
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::None);
    EXPECT_TRUE(ended);
    // The clock after a win runs out without a "Game Over" either.
    state.lives = 2.0f;
    state.timeLeft = 0.99f;
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::None);
    EXPECT_FLOAT_EQ(state.timeLeft, 0.99f);
}

TEST(HurryLine, IsDueFromTenSecondsWhileLivesRemain) {
    GameState state;
    state.timeLeft = 10.01f;
    EXPECT_FALSE(hurryLineDue(state));
    state.timeLeft = 10.0f;
    EXPECT_TRUE(hurryLineDue(state));
    state.lives = 0.0f;
    EXPECT_FALSE(hurryLineDue(state));
    state.lives = 1.0f;
    state.timeLeft = 0.5f;
    latchTimeUp(state);
    EXPECT_FALSE(state.timeUpLatch);
}

}  // namespace
