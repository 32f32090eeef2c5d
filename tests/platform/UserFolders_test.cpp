#include "platform/UserFolders.hpp"

#include <gtest/gtest.h>

#include <map>

namespace {

// A base folder counts only when set, non-empty and absolute; else $HOME's, when that is
// absolute; else there is none rather than one under the working directory.
TEST(UserFoldersTest, FoldersFollowTheBaseDirectoryRules) {
    using Environment = std::map<std::string, std::string>;
    const std::pair<Environment, std::string> cases[] = {
        {{{"XDG_CONFIG_HOME", "/c"}, {"XDG_DATA_HOME", "/d"}, {"HOME", "/h"}},
         "/c/tumbleleaf /d/tumbleleaf /d/tumbleleaf/levels"},
        {{{"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", "d"}, {"HOME", "/h"}},
         "/h/.config/tumbleleaf /h/.local/share/tumbleleaf /h/.local/share/tumbleleaf/levels"},
        {{{"HOME", "h"}}, "- - -"},
        {{}, "- - -"},
    };
    for (const auto& [environment, expected] : cases) {
        const UserFolders folders([&](const std::string& name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            return found == environment.end() ? std::nullopt : std::optional(found->second);
        });
        const auto shown = [](const std::optional<std::filesystem::path>& folder) {
            return folder ? folder->string() : "-";
        };
        EXPECT_EQ(shown(folders.configFolder()) + " " + shown(folders.dataFolder()) + " " +
                      shown(folders.levelsFolder()),
                  expected);
    }
}

}  // namespace
