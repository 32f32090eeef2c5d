#include "platform/SettingsFile.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/KeyNames.hpp"
#include "platform/SettingsText.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

namespace fs = std::filesystem;
using Key = sf::Keyboard;

Settings changed(PlayerKeys player1, PlayerKeys player2, bool sound, WindowMode mode) {
    Settings settings;
    settings.players = {player1, player2};
    settings.sound = sound;
    settings.windowMode = mode;
    return settings;
}

TEST(KeyNamesTest, EveryKeyHasItsOwnNameAndIsFoundByItInAnyCase) {
    for (int code = 0; code < Key::KeyCount; ++code) {
        const auto key = static_cast<Key::Key>(code);
        EXPECT_EQ(KeyNames::key(KeyNames::name(key)), key) << code;
    }
    EXPECT_EQ(KeyNames::name(Key::Num4) + KeyNames::name(Key::Numpad4) + KeyNames::name(Key::Pause),
              "Num4Numpad4Pause");
    EXPECT_EQ(KeyNames::key("lEFT"), Key::Left);
    EXPECT_EQ(KeyNames::key("Unknown"), std::nullopt);
    EXPECT_EQ(KeyNames::name(Key::Unknown), "Unknown");
}

// Written into a folder that does not exist yet, read back exactly; written again, replaced.
TEST(SettingsFileTest, WhatIsWrittenIsReadBackAndReplacesTheOldFile) {
    ScratchGameDir scratch;
    const SettingsFile file(scratch.root() / "config" / "tumbleleaf");
    ErrCapture err;
    EXPECT_EQ(file.read(), Settings()) << "no file yet: the defaults";
    const Settings first =
        changed({Key::Left, Key::Right}, {Key::Numpad4, Key::Num6}, false, WindowMode::Windowed);
    const Settings second =
        changed({Key::LShift, Key::Z}, {Key::Semicolon, Key::F15}, true, WindowMode::Fullscreen);
    for (const Settings& settings : {first, second}) {
        ASSERT_TRUE(file.write(settings));
        EXPECT_EQ(file.read(), settings);
    }
    EXPECT_EQ(err.text(), "");
    EXPECT_FALSE(fs::exists(file.temporaryPath()));
}

// Each problem is one line naming the file and line; everything else in the file still counts.
TEST(SettingsFileTest, EachProblemInTheFileIsReportedOnceAndKeepsItsDefault) {
    struct Case {
        const char* text;
        std::vector<std::string> reports;
        Settings expected;
    };
    const Settings defaults;
    const PlayerKeys p2 = defaults.players[1];
    const Case cases[] = {
        {"\xEF\xBB\xBF# mine\r\n; also\r\n\r\n[Keys]\r\n Player1.Left  =  numpad4 \r\n[AUDIO]\r\n"
         "sound=OFF\r\n",
         {},
         changed({Key::Numpad4, Key::L}, p2, false, WindowMode::Fullscreen)},
        {"[keys]\nplayer1.left J\n", {":2: expected 'name = value'"}, defaults},
        {"[controls]\nplayer1.left = K\n", {":1: unknown section '[controls]'"}, defaults},
        {"[window\nmode = windowed\n", {":1: expected ']' closing the section name"}, defaults},
        {"sound = off\n", {":1: setting 'sound' before any [section]"}, defaults},
        {"[audio]\nmode = windowed\n", {":2: unknown setting 'mode' in [audio]"}, defaults},
        {"[keys]\nplayer1.left = Foo\nplayer1.right = K\n",
         {":2: unknown key name 'Foo'"},
         changed({Key::J, Key::K}, p2, true, WindowMode::Fullscreen)},
        {"[keys]\nplayer1.left = escape\n",
         {":2: key 'Escape' leaves the race and cannot steer"},
         defaults},
        {"[audio]\nsound = maybe\n", {":2: bad value 'maybe' for sound (on or off)"}, defaults},
        {"[window]\nmode = big\n",
         {":2: bad value 'big' for mode (fullscreen or windowed)"},
         defaults},
        {"[audio]\nsound = off\nsound = on\n",
         {":3: 'sound' is set again (first on line 2)"},
         changed(defaults.players[0], p2, false, WindowMode::Fullscreen)},
        {"[keys]\nplayer1.left = K\nplayer2.left = k\n",
         {":3: key 'K' is already bound to player1.left"},
         changed({Key::K, Key::L}, p2, true, WindowMode::Fullscreen)},
        // Player 2's A taken from it: dropped, so player 2 keeps it; a swap is fine.
        {"[keys]\nplayer1.left = A\n", {":2: key 'A' is already bound to player2.left"}, defaults},
        {"[keys]\nplayer1.left = A\nplayer2.left = J\n",
         {},
         changed({Key::A, Key::L}, {Key::J, Key::D}, true, WindowMode::Fullscreen)},
        // Player 2's left falls back to A, which then pushes out player 1's left.
        {"[keys]\nplayer2.left = D\nplayer1.left = A\n",
         {":2: key 'D' is already bound to player2.right",
          ":3: key 'A' is already bound to player2.left"},
         defaults},
    };
    ScratchGameDir scratch;
    const SettingsFile file(scratch.root());
    for (const Case& c : cases) {
        std::ofstream(file.path(), std::ios::binary) << c.text;
        ErrCapture err;
        EXPECT_EQ(file.read(), c.expected) << c.text;
        std::string expected;
        for (const std::string& report : c.reports) {
            expected += file.path().string() + report + "\n";
        }
        EXPECT_EQ(err.text(), expected) << c.text;
    }
}

// A settings file that cannot be read (here a folder in its place): the defaults, one line.
TEST(SettingsFileTest, AnUnreadableFileMeansTheDefaultsAndOneReport) {
    ScratchGameDir scratch;
    fs::create_directories(scratch.root() / SettingsFile::kFileName);
    const SettingsFile file(scratch.root());
    ErrCapture err;
    EXPECT_EQ(file.read(), Settings());
    EXPECT_EQ(err.text(), "Could not read settings " + file.path().string() + "\n");
}

// A write cut short (a full disk), a folder that cannot be made, or a file that cannot be
// replaced: reported, the old file as it was, no temporary file left.
TEST(SettingsFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    ScratchGameDir scratch;
    const auto halfWritten = [](const fs::path& path, const std::string& text) {
        std::ofstream(path) << text.substr(0, text.size() / 2);
        return false;
    };
    std::ofstream(scratch.root() / "plain") << "x";
    fs::create_directories(scratch.root() / "blocked" / SettingsFile::kFileName);
    const SettingsFile files[] = {SettingsFile(scratch.root(), halfWritten),
                                  SettingsFile(scratch.root() / "plain" / "sub"),
                                  SettingsFile(scratch.root() / "blocked")};
    ASSERT_TRUE(SettingsFile(scratch.root()).write(Settings()));
    for (const SettingsFile& file : files) {
        ErrCapture err;
        Settings muted;
        muted.sound = false;
        EXPECT_FALSE(file.write(muted)) << file.path();
        EXPECT_EQ(err.text(), "Could not save settings " + file.path().string() + "\n");
        EXPECT_FALSE(fs::exists(file.temporaryPath())) << file.path();
    }
    EXPECT_EQ(SettingsFile(scratch.root()).read(), Settings()) << "the old file, whole";
    EXPECT_FALSE(SettingsFile::writeWholeFile("/dev/full", SettingsText::format(Settings())))
        << "a full disk is noticed";
}

}  // namespace
