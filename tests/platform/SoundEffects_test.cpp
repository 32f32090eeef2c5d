#include "platform/SoundEffects.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace {

// A racer sliding along a wall hits it every tick; only a few of those may sound.
TEST(SoundEffectsTest, EachKindSoundsAtMostOnceInItsInterval) {
    using Kind = SoundEffects::Kind;
    SoundEffects effects;
    const float apart = SoundEffects::kMinSecondsApart;
    EXPECT_TRUE(effects.admit(Kind::Hit, 10.0f));
    EXPECT_FALSE(effects.admit(Kind::Hit, 10.0f + apart * 0.9f));
    EXPECT_TRUE(effects.admit(Kind::Click, 10.0f)) << "kinds are counted apart";
    // A refused sound does not start the interval again, or steady sliding would never sound.
    EXPECT_TRUE(effects.admit(Kind::Hit, 10.0f + apart));
    EXPECT_FALSE(effects.admit(Kind::Hit, 10.0f + apart * 1.5f));
    EXPECT_TRUE(effects.admit(Kind::Finish, 0.0f)) << "the first of a kind, whatever the time";
}

TEST(SoundEffectsTest, AHitIsSilentBelowAGrazeAndAsLoudAsItIsHardUpToFull) {
    EXPECT_EQ(SoundEffects::hitVolume(SoundEffects::kQuietestHit * 0.99f), 0.0f);
    EXPECT_EQ(SoundEffects::hitVolume(0.0f), 0.0f);
    EXPECT_EQ(SoundEffects::hitVolume(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_FLOAT_EQ(SoundEffects::hitVolume(SoundEffects::kLoudestHit / 2), 50.0f);
    EXPECT_GT(SoundEffects::hitVolume(SoundEffects::kQuietestHit), 0.0f);
    EXPECT_EQ(SoundEffects::hitVolume(SoundEffects::kLoudestHit * 5), 100.0f);
}

}  // namespace
