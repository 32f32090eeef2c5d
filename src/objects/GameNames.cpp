#include "objects/GameNames.hpp"

#include <algorithm>
#include <string>

namespace {
constexpr const char* kRacerMark = "Player";
constexpr const char* kCameraMark = "Camera";
constexpr const char* kCameraPrefix = "CameraOn";

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}
}  // namespace

const std::vector<std::string>& GameNames::groundTypes() {
    static const std::vector<std::string> types{"Paper", "WaxPaper", "BakingTray", "Magazine"};
    return types;
}

bool GameNames::isGroundType(const std::string& type) {
    const auto& grounds = groundTypes();
    return std::find(grounds.begin(), grounds.end(), type) != grounds.end();
}

const std::vector<std::string>& GameNames::screenNames() {
    static const std::vector<std::string> names{Screen::kTitle,   Screen::kTutorial, Screen::kRace,
                                                Screen::kCredits, Screen::kSettings, Screen::kQuit,
                                                Screen::kResults, Screen::kCourses};
    return names;
}

const std::vector<std::string>& GameNames::settingFunctions() {
    static const std::vector<std::string> functions{
        Setting::kToggleSound,       Setting::kDeleteSave,         Setting::kPreviousCourses,
        Setting::kNextCourses,       Setting::kRebindPlayer1Left,  Setting::kRebindPlayer1Right,
        Setting::kRebindPlayer2Left, Setting::kRebindPlayer2Right, Setting::kDefaultKeys};
    return functions;
}

bool GameNames::isRacerId(const std::string& id) {
    return contains(id, kRacerMark) && !contains(id, kCameraMark);
}

std::string GameNames::racerId(int number) {
    return kRacerMark + std::to_string(number);
}

std::size_t GameNames::racerNumberAt() {
    return std::char_traits<char>::length(kRacerMark);
}

std::string GameNames::cameraIdFor(const std::string& racerId) {
    return kCameraPrefix + racerId;
}

bool GameNames::isLeftHalfCamera(const std::string& cameraId) {
    return cameraId == cameraIdFor(racerId(2));
}
