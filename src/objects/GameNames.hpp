#pragma once

#include <string>
#include <vector>

// The names every part of the game agrees on: the object types a map gives, the ground
// materials, the screens a button can lead to, what a settings button can do, and how racers
// and their cameras are told apart by id. The factory, the physics, the screens and the map
// checker all read them from here, so that they cannot drift apart.
struct GameNames {
    // The types that the game treats each in a way of its own.
    struct Type {
        static constexpr const char* kPlayer = "Player";
        static constexpr const char* kBorder = "MapBorder";
        static constexpr const char* kWinZone = "WinZone";
        static constexpr const char* kStateButton = "GamestateButton";
        static constexpr const char* kSettingsButton = "SettingsButton";
        static constexpr const char* kText = "Text";
        static constexpr const char* kTrail = "Trail";
        static constexpr const char* kLogo = "Logo";
    };
    // The screens, by the names they are registered and asked for under.
    struct Screen {
        static constexpr const char* kTitle = "MenuState";
        static constexpr const char* kTutorial = "TutorialState";
        static constexpr const char* kRace = "GameState";
        static constexpr const char* kCredits = "CreditsState";
        static constexpr const char* kSettings = "SettingsState";
        static constexpr const char* kQuit = "QuitState";
        static constexpr const char* kResults = "WinState";
        static constexpr const char* kCourses = "CoursesState";
    };
    // What a settings button does, by its "functionality".
    struct Setting {
        static constexpr const char* kToggleSound = "ToggleSound";
        static constexpr const char* kDeleteSave = "DeleteSave";
        // The courses screen's page buttons.
        static constexpr const char* kPreviousCourses = "PreviousCourses";
        static constexpr const char* kNextCourses = "NextCourses";
        // Wait for the next key pressed and steer with it.
        static constexpr const char* kRebindPlayer1Left = "RebindPlayer1Left";
        static constexpr const char* kRebindPlayer1Right = "RebindPlayer1Right";
        static constexpr const char* kRebindPlayer2Left = "RebindPlayer2Left";
        static constexpr const char* kRebindPlayer2Right = "RebindPlayer2Right";
        static constexpr const char* kDefaultKeys = "DefaultKeys";
    };
    // Only a win zone of this name lets players in; of another, it is a solid wall.
    static constexpr const char* kOpenWinZoneName = "WinZone";

    // The ground materials: the types built as surfaces, whose factors a player takes on.
    static const std::vector<std::string>& groundTypes();
    static bool isGroundType(const std::string& type);
    // Every screen, in the order the game creates them.
    static const std::vector<std::string>& screenNames();
    static const std::vector<std::string>& settingFunctions();

    // The settings screen's line that says what a settings button did (the id of a "Text").
    static constexpr const char* kSettingsMessage = "Message";

    // A racer is known by its id: it contains "Player" and not "Camera", which the ids of the
    // cameras following the racers do. Ids such as "Player1", "Player-2" or "BluePlayer" race.
    static bool isRacerId(const std::string& id);
    // The id of the racer that a map's n-th player, or the results' n-th spot, stands for.
    static std::string racerId(int number);
    // Where in a racer's id its number stands: right after "Player" ("Player1" is racer 1).
    static std::size_t racerNumberAt();
    // The camera that follows a racer, and which half of the screen it fills: the second
    // racer's camera the left half, every other the right half.
    static std::string cameraIdFor(const std::string& racerId);
    static bool isLeftHalfCamera(const std::string& cameraId);
};
