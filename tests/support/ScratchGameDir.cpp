#include "support/ScratchGameDir.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

ScratchGameDir::ScratchGameDir() : m_previousWorkingDir(fs::current_path()) {
    std::random_device seed;
    m_root = fs::temp_directory_path() / ("tumbleleaf-test-" + std::to_string(seed()));
    fs::create_directories(m_root / "bin");
    fs::create_directories(m_root / "assets" / "SaveFiles");
    fs::current_path(m_root / "bin");
}

ScratchGameDir::~ScratchGameDir() {
    std::error_code ignored;
    fs::current_path(m_previousWorkingDir, ignored);
    fs::remove_all(m_root, ignored);
}

fs::path ScratchGameDir::leaderboard() const {
    return m_root / "assets" / "SaveFiles" / "Leaderboard.txt";
}

std::vector<std::string> ScratchGameDir::leaderboardLines() const {
    std::ifstream file(leaderboard());
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ScratchGameDir::writeAsset(const std::string& name, const std::string& content) const {
    const fs::path path = assets() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return "../assets/" + name;
}

void ScratchGameDir::copyShipped(const std::string& relative) const {
    const fs::path target = assets() / relative;
    fs::create_directories(target.parent_path());
    fs::copy(fs::path(std::getenv("TUMBLELEAF_SOURCE_DIR")) / "assets" / relative, target,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void ScratchGameDir::writeSilentTrack(const std::string& name, float seconds) const {
    constexpr unsigned kSampleRate = 8000;
    const std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * kSampleRate), 0);
    const fs::path path = assets() / name;
    fs::create_directories(path.parent_path());
    sf::SoundBuffer track;
    track.loadFromSamples(samples.data(), samples.size(), 1, kSampleRate);
    track.saveToFile(path.string());
}
