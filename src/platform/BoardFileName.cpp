#include "platform/BoardFileName.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

constexpr const char* kPrefix = "Leaderboard-";
constexpr const char* kSuffix = ".txt";

bool isSafe(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// FNV-1a: the same folder gives the same board on every machine and in every build, which
// std::hash does not promise.
std::string shortHash(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
    return digits;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string BoardFileName::safe(const std::string& text) {
    std::string name;
    for (const char c : text) {
        if (name.size() == kMaxNameLength) {
            break;
        }
        name += isSafe(c) ? c : '_';
    }
    return name.empty() ? "course" : name;
}

std::string BoardFileName::forShippedCourse(const std::string& courseName) {
    return kPrefix + safe(courseName) + kSuffix;
}

std::string BoardFileName::forPlayersMap(const std::string& courseName, const std::string& folder) {
    return kPrefix + safe(courseName) + "-" + shortHash(folder) + kSuffix;
}

bool BoardFileName::isBoard(const std::string& fileName) {
    if (fileName == kFirstCourse) {
        return true;
    }
    if (fileName.rfind(kPrefix, 0) != 0 || !endsWith(fileName, kSuffix)) {
        return false;
    }
    const std::string stem = fileName.substr(0, fileName.size() - std::string(kSuffix).size());
    return std::all_of(stem.begin(), stem.end(), isSafe);
}
