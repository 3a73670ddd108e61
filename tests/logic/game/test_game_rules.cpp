#include <gtest/gtest.h>

#include "game/game_rules.h"
#include "game/trunk_random.h"

namespace {

const glm::vec3 Rabbit(0.0f, 15.0f, 0.0f);

// Steps in sixtieths, the rest carried over, at every frame rate and through
// stalled frames are the simulator's routes and scripts.
TEST(Countdown, StopsJustUnderOne) {
    GameState state;
    updateCountdown(state, 1.0e6f);
    EXPECT_LT(state.timeLeft, 1.0f);
    EXPECT_GE(state.timeLeft, 0.983f);
}

// Both start with the lost-life message up: a heart puts up the gained one instead,
// a carrot leaves them alone.
TEST(Pickups, AHeartAddsALifeOnceAndACarrotCountsWithinItsSmallerRadius) {
    for (const auto& [kind, reach] : {std::pair{PickupKind::Heart, glm::vec3(30.0f, 0, 0)},
                                      std::pair{PickupKind::Carrot, glm::vec3(0, 0, 25.0f)}}) {
        const bool heart = kind == PickupKind::Heart;
        GameState state;
        state.lostLifeMessage = true;
        bool taken = false;
        EXPECT_FALSE(applyPickupRule(state, kind, taken, Rabbit + reach, Rabbit)) << heart;
        EXPECT_TRUE(applyPickupRule(state, kind, taken, Rabbit + 0.996f * reach, Rabbit)) << heart;
        EXPECT_FALSE(applyPickupRule(state, kind, taken, Rabbit, Rabbit)) << heart;
        EXPECT_EQ(state.lives, heart ? 4.0f : 3.0f);
        EXPECT_EQ(state.carrotsCollected, heart ? 0.0f : 1.0f);
        EXPECT_EQ(state.gainedLifeMessage, heart);
        EXPECT_EQ(state.lostLifeMessage, !heart);
    }
}

// The loss itself, with the clock at zero, is the HUD tests' and the lose route's.
TEST(Trunks, TwoInRangeInOneFrameCostTwoLivesEachOnlyOnceAndWithNoneLeftNothingIsPickedUpOrHit) {
    GameState state;
    state.gainedLifeMessage = true;
    Trunk first{Rabbit + glm::vec3(69.0f, 0, 0), false};
    Trunk second{Rabbit + glm::vec3(0, 0, -30.0f), false};
    Trunk farAway{Rabbit + glm::vec3(0, 0, 70.0f), false};
    EXPECT_TRUE(applyTrunkRule(state, first, Rabbit));
    EXPECT_TRUE(applyTrunkRule(state, second, Rabbit));
    EXPECT_FALSE(applyTrunkRule(state, farAway, Rabbit));
    EXPECT_EQ(state.lives, 1.0f);
    EXPECT_TRUE(state.lostLifeMessage);
    EXPECT_FALSE(state.gainedLifeMessage);

    state.lives = 0.0f;
    bool taken = false;
    EXPECT_FALSE(applyPickupRule(state, PickupKind::Heart, taken, Rabbit, Rabbit));
    EXPECT_FALSE(applyPickupRule(state, PickupKind::Carrot, taken, Rabbit, Rabbit));
    EXPECT_FALSE(applyTrunkRule(state, farAway, farAway.position));
    EXPECT_FALSE(farAway.hit);
}

TEST(EndDecision, AfterAWinNeitherTheLastLifeNorTheClockShowGameOver) {
    GameState state;
    bool ended = false;
    state.carrotsCollected = 8.0f;
    state.lives = 1.0f;
    ASSERT_EQ(evaluateEnd(state, ended), EndDecision::Win);
    Trunk trunk{Rabbit, false};
    ASSERT_TRUE(applyTrunkRule(state, trunk, Rabbit));
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::None);
    EXPECT_TRUE(ended);
    state.lives = 2.0f;
    state.timeLeft = 0.99f;
    EXPECT_EQ(evaluateEnd(state, ended), EndDecision::None);
    EXPECT_EQ(state.timeLeft, 0.99f);
}

TEST(HurryLine, IsDueFromTenSecondsAndOnlyAClockAtZeroLatches) {
    GameState state;
    state.timeLeft = 10.01f;
    EXPECT_FALSE(hurryLineDue(state));
    state.timeLeft = 10.0f;
    EXPECT_TRUE(hurryLineDue(state));
    state.timeLeft = 0.5f;
    latchTimeUp(state);
    EXPECT_FALSE(state.timeUpLatch);
}

}  // namespace
