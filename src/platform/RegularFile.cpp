#include "platform/RegularFile.hpp"

#include <filesystem>
#include <system_error>

bool RegularFile::exists(const std::string& path) {
    std::error_code unreadable;
    return std::filesystem::is_regular_file(path, unreadable);
}

bool RegularFile::mayWrite(const std::string& path) {
    std::error_code unreadable;
    const auto status = std::filesystem::status(path, unreadable);
    return status.type() == std::filesystem::file_type::not_found ||
           status.type() == std::filesystem::file_type::regular;
}
