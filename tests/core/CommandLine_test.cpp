#include "core/CommandLine.hpp"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "core/AssetFolder.hpp"
#include "core/DesignView.hpp"

namespace {

using Outcome = CommandLine::Outcome;

TEST(CommandLineTest, OptionsAndMistakes) {
    struct Case {
        std::vector<std::string> arguments;
        Outcome outcome;
        bool windowed;
        sf::Vector2u size;
        std::string level;
    };
    const sf::Vector2u standard{1280, 720};
    const std::vector<Case> cases{
        {{}, Outcome::Run, false, standard, ""},
        {{"--windowed"}, Outcome::Run, true, standard, ""},
        {{"--size", "1600x900"}, Outcome::Run, true, {1600, 900}, ""},
        {{"--level", "maps/My Map.tmx", "--windowed"},
         Outcome::Run,
         true,
         standard,
         "maps/My Map.tmx"},
        {{"--windowed", "--help", "--bogus"}, Outcome::ShowHelp, true, standard, ""},
        {{"--fullscreen"}, Outcome::Error, false, standard, ""},
        {{"level.tmx"}, Outcome::Error, false, standard, ""},
        {{"--level"}, Outcome::Error, false, standard, ""},
        {{"--size"}, Outcome::Error, false, standard, ""},
        {{"--size", "1600"}, Outcome::Error, false, standard, ""},
        {{"--size", "1600x900x2"}, Outcome::Error, false, standard, ""},
        {{"--size", "-1600x900"}, Outcome::Error, false, standard, ""},
        {{"--size", "100x100"}, Outcome::Error, false, standard, ""},
        {{"--size", "99999x900"}, Outcome::Error, false, standard, ""},
    };
    for (const Case& c : cases) {
        const std::string shown = ::testing::PrintToString(c.arguments);
        const CommandLine::Result result = CommandLine::parse(c.arguments);
        EXPECT_EQ(result.outcome, c.outcome) << shown;
        if (result.outcome == Outcome::Error) {
            EXPECT_FALSE(result.error.empty()) << shown;
            EXPECT_EQ(result.error.find('\n'), std::string::npos) << shown;
            continue;
        }
        if (result.outcome == Outcome::Run) {
            EXPECT_EQ(result.options.windowed, c.windowed) << shown;
            EXPECT_EQ(result.options.windowSize, c.size) << shown;
            EXPECT_EQ(result.options.levelPath, c.level) << shown;
        }
    }
}

TEST(AssetFolderTest, TheWorkingDirectoryFirstThenTheExecutablesFolder) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("tumbleleaf-folders-" + std::to_string(::getpid()));
    fs::create_directories(root / "game" / "bin");
    fs::create_directories(root / "game" / "assets");
    fs::create_directories(root / "elsewhere" / "bin");
    std::ofstream(root / "elsewhere" / "assets");  // a file named like the folder is not it
    const fs::path game = root / "game" / "bin";
    const fs::path elsewhere = root / "elsewhere" / "bin";

    EXPECT_EQ(AssetFolder::findRunFolder(game, elsewhere), game);
    EXPECT_EQ(AssetFolder::findRunFolder(elsewhere, game), game);
    EXPECT_EQ(AssetFolder::findRunFolder(root, elsewhere), std::nullopt);
    EXPECT_EQ(AssetFolder::findRunFolder(root, fs::path()), std::nullopt);
    fs::remove_all(root);
}

TEST(DesignViewTest, TheDesignFillsTheWindowKeepingItsShape) {
    struct Case {
        sf::Vector2u window;
        sf::FloatRect shown;
    };
    const std::vector<Case> cases{
        {{1920, 1080}, {0.0f, 0.0f, 1.0f, 1.0f}},
        {{3840, 2160}, {0.0f, 0.0f, 1.0f, 1.0f}},
        // 1280x720 of 1280x1024: bars of 152 pixels above and below.
        {{1280, 1024}, {0.0f, 152.0f / 1024.0f, 1.0f, 720.0f / 1024.0f}},
        // 2560x1080: bars of 320 pixels left and right.
        {{2560, 1080}, {320.0f / 2560.0f, 0.0f, 1920.0f / 2560.0f, 1.0f}},
    };
    for (const Case& c : cases) {
        const sf::FloatRect box = DesignView::letterbox(c.window);
        EXPECT_FLOAT_EQ(box.left, c.shown.left) << c.window.x << "x" << c.window.y;
        EXPECT_FLOAT_EQ(box.top, c.shown.top) << c.window.x << "x" << c.window.y;
        EXPECT_FLOAT_EQ(box.width, c.shown.width) << c.window.x << "x" << c.window.y;
        EXPECT_FLOAT_EQ(box.height, c.shown.height) << c.window.x << "x" << c.window.y;
    }
    // The right half of the design on 1280x1024 is the right half of the picture between bars.
    const sf::FloatRect right = DesignView::viewport({0.5f, 0.0f, 0.5f, 1.0f}, {1280, 1024});
    EXPECT_FLOAT_EQ(right.left, 0.5f);
    EXPECT_FLOAT_EQ(right.top, 152.0f / 1024.0f);
    EXPECT_FLOAT_EQ(right.width, 0.5f);
    EXPECT_FLOAT_EQ(right.height, 720.0f / 1024.0f);
    // A window minimised to nothing does not divide by zero.
    EXPECT_EQ(DesignView::letterbox({0, 0}), sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f));
}

}  // namespace
