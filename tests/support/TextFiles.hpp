#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The lines of a text file, without their line ends; none when it cannot be read.
std::vector<std::string> readLines(const std::filesystem::path& path);
