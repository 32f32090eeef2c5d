#include "objects/Leaderboard.hpp"

#include <SFML/System/Err.hpp>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "platform/LeadingInteger.hpp"
#include "platform/RegularFile.hpp"

namespace {

// std::stoi's reading (leading blanks and a sign allowed, trailing characters ignored) without
// its exceptions.
std::optional<int> parseScore(const std::string& text) {
    const auto value = LeadingInteger::read(text.c_str(), INT_MIN, INT_MAX);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

std::optional<LeaderboardEntry> parseLine(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();  // a file edited on another system
    }
    const auto comma = line.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    std::string scoreText = line.substr(comma + 1);
    const auto score = parseScore(scoreText);
    if (!score) {
        return std::nullopt;
    }
    const float points = std::strtof(scoreText.c_str(), nullptr);
    return LeaderboardEntry{line.substr(0, comma), std::move(scoreText), *score,
                            std::isfinite(points) ? points : static_cast<float>(*score)};
}

// A board whose last line was cut short (a crash mid-write, a hand edit) has no line end; a new
// line written straight after it would join it.
bool endsOpen(const std::string& path) {
    std::ifstream file;
    return RegularFile::open(path, file) && file.seekg(-1, std::ios::end) && file.get() != '\n';
}

}  // namespace

Leaderboard::Leaderboard(std::string path) : m_path(std::move(path)) {}

bool Leaderboard::appendEntry(const std::string& name, int score) const {
    const bool mendLastLine = endsOpen(m_path);
    std::ofstream file;
    if (!RegularFile::open(m_path, file, std::ios::app)) {
        sf::err() << "Could not write leaderboard " << m_path << std::endl;
        return false;
    }
    file << (mendLastLine ? "\n" : "") << sanitizedName(name) << ',' << score << '\n';
    file.close();
    if (!file) {
        sf::err() << "Could not write leaderboard " << m_path << std::endl;
        return false;
    }
    return true;
}

bool Leaderboard::clear() const {
    std::ofstream file;
    if (!RegularFile::open(m_path, file, std::ios::trunc)) {
        sf::err() << "Could not empty leaderboard " << m_path << std::endl;
        return false;
    }
    file.close();
    if (!file) {
        sf::err() << "Could not empty leaderboard " << m_path << std::endl;
        return false;
    }
    return true;
}

bool Leaderboard::clearEvery() {
    bool cleared = Leaderboard().clear();
    std::error_code unreadable;
    for (std::filesystem::directory_iterator file(AssetFolder::savePath(""), unreadable), end;
         !unreadable && file != end; file.increment(unreadable)) {
        const std::string name = file->path().filename().string();
        if (name != kDefaultFile && BoardFileName::isBoard(name) &&
            RegularFile::exists(file->path().string())) {
            cleared = Leaderboard(file->path().string()).clear() && cleared;
        }
    }
    return cleared;
}

std::optional<std::vector<LeaderboardEntry>> Leaderboard::readEntries() const {
    std::ifstream file;
    if (!RegularFile::open(m_path, file)) {
        return std::nullopt;
    }
    std::vector<LeaderboardEntry> entries;
    std::string line;
    while (std::getline(file, line)) {
        if (auto entry = parseLine(line)) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

int Leaderboard::scoreFromPoints(float points) {
    if (std::isnan(points)) {
        return 0;
    }
    // INT_MAX is not a float; 2^31 is, and everything below it truncates into range.
    constexpr float kLimit = 2147483648.0f;
    if (points >= kLimit) {
        return INT_MAX;
    }
    if (points <= -kLimit) {
        return INT_MIN;
    }
    return static_cast<int>(points);
}

std::string Leaderboard::sanitizedName(std::string name) {
    for (char& c : name) {
        if (c == ',' || c == '\r' || c == '\n') {
            c = '_';
        }
    }
    return name;
}
