#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/TmxMap.hpp"
#include "objects/GameNames.hpp"

class AssetManager;
class GameObject;

// Turns the objects of a map into game objects. The map object's "type" picks the builder and
// its properties give the values:
//
//   type                                       components, in order
//   "Player"                                   PlayerRender, PlayerMove, RigidBody, box (solid,
//                                              200 below the object)
//   "MapBorder", "WinZone"                     RigidBody, box (solid unless named "WinZone")
//   "Paper", "WaxPaper", "BakingTray",         RigidBody (mass 0), box (not solid), Surface
//   "Magazine"
//   "GamestateButton"                          Sprite, StateButton
//   "SettingsButton"                           Sprite, SettingsButton, Text
//   "Text"                                     Text
//   "Trail"                                    Trail (on an object "TrailOn" + the player's number)
//   "Logo"                                     Sprite
//
// Any other type builds nothing, and neither does an object whose "correspondingLayer" names
// no layer (no screen would ever draw or update it). A property value that cannot be read is
// reported with the object's name and type, and the property's default is used instead.
class ObjectFactory {
public:
    // What a property's value is to the game.
    enum class PropertyKind {
        Text,     // taken as written
        Picture,  // an image file, under the asset root
        Font,     // a font file, under the asset root
        Screen,   // the name of a screen
        Setting,  // what a settings button does
        Number,   // the conversions of PropertyParser
        Integer,
        Pair,
        Colour,
    };
    // One property that objects of a type read, and the value the game uses when it is missing,
    // written as a map would write it (empty: none).
    struct PropertyRule {
        std::string key;
        PropertyKind kind;
        std::string fallback;
    };
    struct TypeRule {
        std::string type;
        std::vector<PropertyRule> properties;
        // The object's width and height make its box or its click area: without an area it
        // touches nothing, and a shape other than a rectangle is taken for its bounding box.
        bool usesArea = false;
    };
    // The property that names the layer an object is drawn and updated with; every type needs it.
    static constexpr const char* kLayerProperty = "correspondingLayer";
    // The property keys, exactly as a map must write them.
    struct Key {
        static constexpr const char* kTexturePath = "texturepath";
        static constexpr const char* kFontPath = "fontpath";
        static constexpr const char* kButtonFontPath = "fontPath";
        static constexpr const char* kMass = "mass";
        static constexpr const char* kRestitution = "restitution";
        static constexpr const char* kVelocity = "velocity";
        static constexpr const char* kAcceleration = "acceleration";
        static constexpr const char* kNextState = "nextState";
        static constexpr const char* kColor = "color";
        static constexpr const char* kFontSize = "fontsize";
        static constexpr const char* kText = "text";
        static constexpr const char* kSpeed = "speed";
        static constexpr const char* kDegradation = "degredation";  // spelled so in the maps
        static constexpr const char* kFunctionality = "functionality";
        static constexpr const char* kOffset = "offset";
        // "centre": a text (or a button's label) centred on the object's width; "left" is the
        // default.
        static constexpr const char* kAlign = "align";
    };

    // Every type the factory builds, in the order of the table above, with the properties it
    // reads besides kLayerProperty and their defaults. Map checkers and the level guide read it
    // from here.
    static const std::vector<TypeRule>& typeRules();
    // The rule of exactly this type, or null when the factory builds nothing for it.
    static const TypeRule* typeRule(const std::string& type);
    // The value a map's text gives for a property of this key when the object has none.
    static const std::string& fallbackOf(const std::string& key);
    // Which of the players built so far (their ids, in creation order) a trail follows: the
    // first whose id its name contains. Nothing when there is none, or when that id is shorter
    // than "Player" (the trail's id takes the character after it).
    static std::optional<std::size_t> trailPlayerIndex(const std::string& trailName,
                                                       const std::vector<std::string>& playerIds);

    explicit ObjectFactory(AssetManager& assets);

    // Builds every object of every object group, in file order, and attaches each to its layer.
    void buildObjects(const TmxMap& map);

    // The values every builder may use, read from the object's properties; what a map leaves
    // out is the table's fallback.
    struct Values {
        std::string texturePath;  // "texturepath" or "fontpath", under the asset root
        float mass;
        float restitution;
        sf::Vector2f velocity;
        sf::Vector2f acceleration;
        std::string nextState;
        sf::Color color;
        int fontSize;
        std::string text;
        float speed;
        float degradation;
        std::string functionality;
        std::string buttonFontPath;  // "fontPath", under the asset root
        sf::Vector2f offset;
    };
    // What an object with no properties at all is built with.
    static const Values& defaultValues();
    Values readValues(const TmxObject& object) const;

    std::shared_ptr<GameObject> createPlayer(const TmxObject& object, int inputSet,
                                             const std::string& texturePath, float mass,
                                             float restitution, sf::Vector2f velocity,
                                             sf::Vector2f acceleration);
    std::shared_ptr<GameObject> createBorder(const TmxObject& object, float mass, float restitution,
                                             sf::Vector2f velocity, sf::Vector2f acceleration);
    std::shared_ptr<GameObject> createSurface(const TmxObject& object);
    std::shared_ptr<GameObject> createStateButton(const TmxObject& object, std::string texturePath,
                                                  std::string nextState);
    std::shared_ptr<GameObject> createSettingsButton(const TmxObject& object,
                                                     std::string texturePath, sf::Color color);
    std::shared_ptr<GameObject> createText(const TmxObject& object, const std::string& fontPath,
                                           const std::string& text, int fontSize, sf::Color color);
    std::shared_ptr<GameObject> createTrail(std::shared_ptr<GameObject> player,
                                            const std::string& texturePath);
    std::shared_ptr<GameObject> createLogo(const TmxObject& object, std::string texturePath);

private:
    std::shared_ptr<GameObject> build(const TmxObject& object);
    std::shared_ptr<GameObject> buildTrail(const TmxObject& object, const Values& values);
    std::shared_ptr<GameObject> makeObject(const TmxObject& object) const;
    bool isOnALayer(const GameObject& gameObject) const;
    void discard(GameObject& gameObject);
    std::string assetPath(const std::string& value) const;

    AssetManager& m_assets;
};
