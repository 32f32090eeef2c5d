#pragma once

#include <filesystem>
#include <string>

// Writes a silent WAV track lasting `seconds` (creating its folder), so that tests can tell
// which track the game opened by its duration.
void writeSilentTrack(const std::filesystem::path& path, float seconds);
