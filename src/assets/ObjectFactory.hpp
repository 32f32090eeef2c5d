#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>
#include <memory>
#include <string>

#include "assets/TmxMap.hpp"

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
    explicit ObjectFactory(AssetManager& assets);

    // Builds every object of every object group, in file order, and attaches each to its layer.
    void buildObjects(const TmxMap& map);

    // The values every builder may use, read from the object's properties.
    struct Values {
        std::string texturePath;  // "texturepath" or "fontpath", under the asset root
        float mass = 0.0f;
        float restitution = 0.0f;
        sf::Vector2f velocity;
        sf::Vector2f acceleration;
        std::string nextState;
        sf::Color color = sf::Color::Black;
        int fontSize = 10;
        std::string text;
    };
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
