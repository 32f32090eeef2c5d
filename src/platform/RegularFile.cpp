#include "platform/RegularFile.hpp"

#include <filesystem>
#include <system_error>

bool RegularFile::open(const std::string& path, std::ifstream& file) {
    return load(path, [&file](const std::string& plain) {
        file.open(plain);
        return file.is_open();
    });
}

bool RegularFile::open(const std::string& path, std::ofstream& file, std::ios::openmode mode) {
    std::error_code unreadable;
    const auto type = std::filesystem::status(path, unreadable).type();
    if (type != std::filesystem::file_type::not_found &&
        type != std::filesystem::file_type::regular) {
        return false;
    }
    file.open(path, mode | std::ios::out);
    return file.is_open();
}

bool RegularFile::exists(const std::string& path) {
    std::error_code unreadable;
    return std::filesystem::is_regular_file(path, unreadable);
}
