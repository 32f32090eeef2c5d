#include "platform/SoundEffects.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <ostream>

#include "platform/AssetFolder.hpp"
#include "platform/RegularFile.hpp"

SoundEffects& SoundEffects::instance() {
    static SoundEffects effects;
    return effects;
}

SoundEffects::SoundEffects() = default;

SoundEffects::~SoundEffects() {
    release();
}

const char* SoundEffects::fileOf(Kind kind) {
    switch (kind) {
        case Kind::Hit:
            return "Sounds/Hit.wav";
        case Kind::Finish:
            return "Sounds/Finish.wav";
        case Kind::Click:
            return "Sounds/Click.wav";
    }
    return "";
}

void SoundEffects::play(Kind kind, float volume) {
    if (m_muted || volume <= 0.0f || !admit(kind, m_clock.getElapsedTime().asSeconds())) {
        return;
    }
    Channel* sound = channel(kind);
    if (sound == nullptr) {
        return;
    }
    sf::Sound& voice = sound->voices[sound->nextVoice];
    sound->nextVoice = (sound->nextVoice + 1) % kVoices;
    voice.setVolume(std::min(volume, 100.0f));
    voice.play();
}

void SoundEffects::playHit(float impactSpeed) {
    play(Kind::Hit, hitVolume(impactSpeed));
}

// Loaded on first use: making the first sound buffer opens the audio device.
SoundEffects::Channel* SoundEffects::channel(Kind kind) {
    if (!m_tried) {
        m_tried = true;
        m_channels = std::make_unique<std::array<Channel, kKinds>>();
        for (const Kind each : {Kind::Hit, Kind::Finish, Kind::Click}) {
            Channel& loading = (*m_channels)[static_cast<int>(each)];
            const std::string path = AssetFolder::path(fileOf(each));
            loading.loaded = RegularFile::load(path, [&loading](const std::string& plain) {
                return loading.buffer.loadFromFile(plain);
            });
            if (!loading.loaded) {
                sf::err() << "Could not load sound from " << path << std::endl;
                continue;
            }
            for (sf::Sound& voice : loading.voices) {
                voice.setBuffer(loading.buffer);
            }
        }
    }
    if (!m_channels) {
        return nullptr;
    }
    Channel& found = (*m_channels)[static_cast<int>(kind)];
    return found.loaded ? &found : nullptr;
}

void SoundEffects::release() {
    m_channels.reset();
}

bool SoundEffects::admit(Kind kind, float now) {
    std::optional<float>& last = m_lastPlayed[static_cast<int>(kind)];
    if (last && now - *last < kMinSecondsApart) {
        return false;
    }
    last = now;
    return true;
}

float SoundEffects::hitVolume(float impactSpeed) {
    if (!(impactSpeed >= kQuietestHit)) {
        return 0.0f;
    }
    return std::min(impactSpeed / kLoudestHit, 1.0f) * 100.0f;
}
