// The leaderboard file as the win screen reads it: whatever another program, a crash mid-write
// or a hand edit left in it; and a racer of any name finishing after it, whose line reads back
// as written, behind all that was there.
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "FuzzSupport.hpp"
#include "objects/Leaderboard.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (discardGameErrors(), true);
    (void)ready;
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tumbleleaf-fuzz-leaderboard-" + std::to_string(getpid()) + ".txt");
    static const int cleanUp = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    });
    (void)cleanUp;

    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const Leaderboard leaderboard(path.string());
    const auto entries = leaderboard.readEntries();
    check(entries.has_value());  // the file was just written
    for (const auto& entry : *entries) {
        check(std::isfinite(entry.points) && entry.name.find('\n') == std::string::npos);
    }
    const std::string name = textOf(data, size);
    check(leaderboard.appendEntry(name, -7));
    const auto after = leaderboard.readEntries();
    check(after && after->size() == entries->size() + 1 &&
          after->back().name == Leaderboard::sanitizedName(name) && after->back().score == -7);
    return 0;
}
