#pragma once

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Clock.hpp>
#include <array>
#include <memory>
#include <optional>

// The game's short sounds: a racer hitting a wall, a racer crossing the finish, a button
// pressed. The sounds are read from the asset folder the first time one is played; one that
// cannot be read is reported once and stays silent. Each kind sounds at most a few times a
// second, so a racer sliding along a wall does not buzz, and none sounds while the game is muted.
class SoundEffects {
public:
    enum class Kind { Hit, Finish, Click };
    static constexpr int kKinds = 3;
    // The shortest time between two sounds of one kind.
    static constexpr float kMinSecondsApart = 0.25f;
    // Impact speeds, in units per second along the contact: below the first a touch is silent;
    // from the second on a hit is at full volume.
    static constexpr float kQuietestHit = 60.0f;
    static constexpr float kLoudestHit = 900.0f;

    static SoundEffects& instance();
    SoundEffects();
    ~SoundEffects();

    // At full volume (0 to 100, as SFML counts), if the rate allows and the game is not muted.
    void play(Kind kind, float volume = 100.0f);
    // A hit at this impact speed, as loud as the speed says.
    void playHit(float impactSpeed);
    void setMuted(bool muted) { m_muted = muted; }
    // Lets go of the sounds and the audio device while the audio module is still whole.
    void release();

    // The rate rule: true, and remembered as the last one, when a sound of `kind` at `now`
    // (seconds on any clock that only runs forward) comes late enough after the last one.
    bool admit(Kind kind, float now);
    // The volume (0 to 100) of a hit at this impact speed: silent below kQuietestHit, rising in
    // proportion to full at kLoudestHit.
    static float hitVolume(float impactSpeed);

private:
    static constexpr int kVoices = 2;  // of one kind at once, so a new one need not cut the last
    struct Channel {
        sf::SoundBuffer buffer;
        std::array<sf::Sound, kVoices> voices;
        int nextVoice = 0;
        bool loaded = false;
    };

    Channel* channel(Kind kind);
    static const char* fileOf(Kind kind);

    bool m_muted = false;
    bool m_tried = false;
    std::unique_ptr<std::array<Channel, kKinds>> m_channels;
    std::array<std::optional<float>, kKinds> m_lastPlayed{};
    sf::Clock m_clock;
};
