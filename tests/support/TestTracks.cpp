#include "support/TestTracks.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <vector>

void writeSilentTrack(const std::filesystem::path& path, float seconds) {
    constexpr unsigned kSampleRate = 8000;
    const std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * kSampleRate), 0);
    std::filesystem::create_directories(path.parent_path());
    sf::SoundBuffer track;
    track.loadFromSamples(samples.data(), samples.size(), 1, kSampleRate);
    track.saveToFile(path.string());
}
