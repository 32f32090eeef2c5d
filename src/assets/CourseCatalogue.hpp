#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Why a course cannot be raced.
enum class CourseProblem { None, NotAFile, Unreadable, Broken, NoRacer };

// One course a race can be run on: a map, what it calls itself, and where its best results go.
struct RaceCourse {
    std::string mapPath;
    // The map's "name", else its file name without ".tmx".
    std::string name;
    // The map's "description"; may be empty.
    std::string description;
    // The course's leaderboard file.
    std::string boardPath;
    // Comes with the game (its pictures are the game's own) rather than from the player.
    bool shipped = false;
    CourseProblem problem = CourseProblem::None;
    // What the map reader said of a broken map.
    std::string loadError;

    bool raceable() const { return problem == CourseProblem::None; }
    // Where the map's pictures are read from: the map's own folder.
    std::string assetRoot() const;
};

// Every course on offer: the game's own first, in a fixed order, then the player's maps from
// the levels folder sorted by file name, then the map named on the command line. Describing a
// course only reads its map text: nothing is built and the map on screen stays as it is.
class CourseCatalogue {
public:
    // The game's courses, under the asset folder, the first one being what "PLAY" races.
    static const std::vector<std::string>& shippedMaps();

    // What "PLAY" races, named by its file: describing it would parse the whole race.
    static RaceCourse firstShipped();
    // A map the player brought, from the levels folder or the command line.
    static RaceCourse playersMap(const std::string& path);
    // levelsFolder: nothing or a missing folder adds no courses; extraMap: empty for none.
    static std::vector<RaceCourse> list(const std::optional<std::filesystem::path>& levelsFolder,
                                        const std::string& extraMap);
    // Every "*.tmx" in the folder, whatever they are, sorted by name.
    static std::vector<std::filesystem::path> mapsIn(const std::filesystem::path& folder);

private:
    static RaceCourse shipped(const std::string& relativePath);
    // Fills in the name, description and problem from the map text.
    static void describe(RaceCourse& course);
};
