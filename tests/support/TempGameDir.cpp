#include "support/TempGameDir.hpp"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

TempGameDir::TempGameDir() : m_previousDir(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tumbleleaf-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("could not create a temporary folder");
    }
    m_root = name.data();
    std::filesystem::create_directories(m_root / "bin");
    std::filesystem::create_directories(m_root / "assets");
    std::filesystem::current_path(m_root / "bin");
}

TempGameDir::~TempGameDir() {
    std::error_code ignored;
    std::filesystem::current_path(m_previousDir, ignored);
    std::filesystem::remove_all(m_root, ignored);
}

std::string TempGameDir::writeAsset(const std::string& name, const std::string& content) const {
    const std::filesystem::path path = assets() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return "../assets/" + name;
}
