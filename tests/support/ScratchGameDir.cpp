#include "support/ScratchGameDir.hpp"

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
