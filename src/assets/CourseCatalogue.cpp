#include "assets/CourseCatalogue.hpp"

#include <algorithm>

#include "assets/TmxReader.hpp"
#include "objects/GameNames.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/BoardFileName.hpp"
#include "platform/RegularFile.hpp"

namespace fs = std::filesystem;

namespace {

constexpr const char* kNameKey = "name";
constexpr const char* kDescriptionKey = "description";

bool hasRacer(const TmxMap& map) {
    for (const TmxObjectGroup& group : map.objectGroups) {
        for (const TmxObject& object : group.objects) {
            if (object.type == GameNames::Type::kPlayer) {
                return true;
            }
        }
    }
    return false;
}

// The same folder however the path to it was written.
std::string folderOf(const std::string& mapPath) {
    std::error_code unknown;
    const fs::path folder = fs::absolute(fs::path(mapPath), unknown).parent_path();
    const fs::path canonical = fs::weakly_canonical(folder, unknown);
    return (unknown ? folder : canonical).string();
}

std::string sameFile(const std::string& path) {
    std::error_code unknown;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, unknown), unknown);
    return unknown ? path : canonical.string();
}

}  // namespace

std::string RaceCourse::assetRoot() const {
    const fs::path folder = fs::path(mapPath).parent_path();
    return folder.empty() ? std::string("./") : folder.string() + "/";
}

const std::vector<std::string>& CourseCatalogue::shippedMaps() {
    static const std::vector<std::string> maps{"TileMap.tmx", "courses/Sprint.tmx",
                                               "courses/Chutes.tmx", "courses/Switchbacks.tmx"};
    return maps;
}

RaceCourse CourseCatalogue::firstShipped() {
    RaceCourse course;
    course.mapPath = AssetFolder::path(shippedMaps().front());
    course.name = fs::path(course.mapPath).stem().string();
    course.shipped = true;
    course.boardPath = AssetFolder::savePath(BoardFileName::kFirstCourse);
    return course;
}

RaceCourse CourseCatalogue::shipped(const std::string& relativePath) {
    RaceCourse course;
    course.mapPath = AssetFolder::path(relativePath);
    course.shipped = true;
    describe(course);
    course.boardPath = AssetFolder::savePath(BoardFileName::forShippedCourse(course.name));
    return course;
}

RaceCourse CourseCatalogue::playersMap(const std::string& path) {
    RaceCourse course;
    course.mapPath = path;
    describe(course);
    course.boardPath =
        AssetFolder::savePath(BoardFileName::forPlayersMap(course.name, folderOf(path)));
    return course;
}

void CourseCatalogue::describe(RaceCourse& course) {
    course.name = fs::path(course.mapPath).stem().string();
    if (!RegularFile::exists(course.mapPath)) {
        course.problem = CourseProblem::NotAFile;
        return;
    }
    auto text = readMapText(course.mapPath);
    if (!text) {
        course.problem = CourseProblem::Unreadable;
        return;
    }
    const TmxParseResult parsed = parseTmx(text->data());
    if (!parsed.map) {
        course.problem = CourseProblem::Broken;
        course.loadError = parsed.error();
        return;
    }
    course.name = findProperty(parsed.map->properties, kNameKey).value_or(course.name);
    course.description = findProperty(parsed.map->properties, kDescriptionKey).value_or("");
    if (!hasRacer(*parsed.map)) {
        course.problem = CourseProblem::NoRacer;
    }
}

std::vector<fs::path> CourseCatalogue::mapsIn(const fs::path& folder) {
    std::vector<fs::path> maps;
    std::error_code unreadable;
    for (fs::directory_iterator entry(folder, unreadable), end; !unreadable && entry != end;
         entry.increment(unreadable)) {
        if (entry->path().extension() == ".tmx") {
            maps.push_back(entry->path());
        }
    }
    std::sort(maps.begin(), maps.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return maps;
}

std::vector<RaceCourse> CourseCatalogue::list(const std::optional<fs::path>& levelsFolder,
                                              const std::string& extraMap) {
    std::vector<RaceCourse> courses;
    courses.push_back(firstShipped());
    describe(courses.front());
    for (auto map = shippedMaps().begin() + 1; map != shippedMaps().end(); ++map) {
        courses.push_back(shipped(*map));
    }
    std::vector<std::string> seen;
    const auto add = [&](const std::string& path) {
        const std::string key = sameFile(path);
        if (std::find(seen.begin(), seen.end(), key) == seen.end()) {
            seen.push_back(key);
            courses.push_back(playersMap(path));
        }
    };
    if (levelsFolder) {
        for (const fs::path& map : mapsIn(*levelsFolder)) {
            add(map.string());
        }
    }
    if (!extraMap.empty()) {
        add(extraMap);
    }
    return courses;
}
