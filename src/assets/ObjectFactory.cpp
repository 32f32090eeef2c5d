#include "assets/ObjectFactory.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <ostream>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/PropertyParser.hpp"
#include "components/PlayerRenderComponent.hpp"
#include "components/SettingsButtonComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "components/StateButtonComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "components/TrailComponent.hpp"
#include "objects/GameObject.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "physics/SurfaceComponent.hpp"

namespace {

using Kind = ObjectFactory::PropertyKind;
using Type = GameNames::Type;
using Key = ObjectFactory::Key;

const char* const kBorderTypes[] = {Type::kBorder, Type::kWinZone};

// A text centred on its object's width when the map asks so; any other word than the two keeps
// it where it starts, and says so.
void alignText(TextRenderComponent& text, const TmxObject& object) {
    for (const TmxProperty& property : object.properties) {
        if (property.name != ObjectFactory::Key::kAlign || property.value == "left") {
            continue;
        }
        if (property.value == "centre") {
            text.centreIn(static_cast<float>(object.width));
        } else {
            sf::err() << "Map object \"" << object.name << "\" (" << object.type
                      << "): property \"align\" is \"" << property.value
                      << "\", not left or centre; the text starts at the left" << std::endl;
        }
    }
}

sf::Vector2f positionOf(const TmxObject& object) {
    return {static_cast<float>(object.x), static_cast<float>(object.y)};
}

// Reads one property of one map object with a converter, keeping `value` when the text is not
// usable and saying so, so that a typo in a map costs one setting, not the whole map.
template <typename T, typename Converter>
void readInto(T& value, const TmxObject& object, const TmxProperty& property, Converter convert,
              const char* expected) {
    if (const auto converted = convert(property.value)) {
        value = *converted;
        return;
    }
    sf::err() << "Map object \"" << object.name << "\" (" << object.type << "): property \""
              << property.name << "\" has the value \"" << property.value << "\", which is not "
              << expected << "; the default is used" << std::endl;
}

}  // namespace

const std::vector<ObjectFactory::TypeRule>& ObjectFactory::typeRules() {
    static const std::vector<TypeRule> rules = [] {
        const PropertyRule picture{Key::kTexturePath, Kind::Picture, ""};
        const PropertyRule colour{Key::kColor, Kind::Colour, "#ff000000"};
        const PropertyRule fontSize{Key::kFontSize, Kind::Integer, "10"};
        const PropertyRule text{Key::kText, Kind::Text, ""};
        const PropertyRule align{Key::kAlign, Kind::Text, "left"};
        const std::vector<PropertyRule> body{{Key::kMass, Kind::Number, "0"},
                                             {Key::kRestitution, Kind::Number, "0"},
                                             {Key::kVelocity, Kind::Pair, "0,0"},
                                             {Key::kAcceleration, Kind::Pair, "0,0"}};
        std::vector<TypeRule> all{{Type::kPlayer, {picture}, true}};
        all[0].properties.insert(all[0].properties.end(), body.begin(), body.end());
        for (const char* type : kBorderTypes) {
            all.push_back({type, body, true});
        }
        for (const std::string& type : GameNames::groundTypes()) {
            all.push_back(
                {type,
                 {{Key::kSpeed, Kind::Number, "1"}, {Key::kDegradation, Kind::Number, "1"}},
                 true});
        }
        all.push_back({Type::kStateButton, {picture, {Key::kNextState, Kind::Screen, ""}}, true});
        all.push_back({Type::kSettingsButton,
                       {picture,
                        {Key::kFunctionality, Kind::Setting, ""},
                        text,
                        {Key::kButtonFontPath, Kind::Font, ""},
                        fontSize,
                        {Key::kOffset, Kind::Pair, "0,0"},
                        colour,
                        align},
                       true});
        all.push_back({Type::kText,
                       {{Key::kFontPath, Kind::Font, ""},
                        {Key::kTexturePath, Kind::Font, ""},
                        fontSize,
                        colour,
                        text,
                        align}});
        all.push_back({Type::kTrail, {picture}});
        all.push_back({Type::kLogo, {picture}});
        return all;
    }();
    return rules;
}

const ObjectFactory::TypeRule* ObjectFactory::typeRule(const std::string& type) {
    const auto& rules = typeRules();
    const auto found = std::find_if(rules.begin(), rules.end(),
                                    [&](const TypeRule& rule) { return rule.type == type; });
    return found == rules.end() ? nullptr : &*found;
}

const std::string& ObjectFactory::fallbackOf(const std::string& key) {
    for (const TypeRule& rule : typeRules()) {
        for (const PropertyRule& property : rule.properties) {
            if (property.key == key) {
                return property.fallback;
            }
        }
    }
    static const std::string none;
    return none;
}

namespace {
// A fallback is written as a map would write it; one that does not convert is a slip in the
// table above, caught by the first object built.
template <typename Converter>
auto fallbackValue(const char* key, Converter convert) {
    return convert(ObjectFactory::fallbackOf(key)).value();
}
}  // namespace

const ObjectFactory::Values& ObjectFactory::defaultValues() {
    static const Values defaults{
        fallbackOf(Key::kTexturePath),
        fallbackValue(Key::kMass, PropertyParser::number),
        fallbackValue(Key::kRestitution, PropertyParser::number),
        fallbackValue(Key::kVelocity, PropertyParser::pair),
        fallbackValue(Key::kAcceleration, PropertyParser::pair),
        fallbackOf(Key::kNextState),
        fallbackValue(Key::kColor, PropertyParser::colour),
        fallbackValue(Key::kFontSize, PropertyParser::integer),
        fallbackOf(Key::kText),
        fallbackValue(Key::kSpeed, PropertyParser::number),
        fallbackValue(Key::kDegradation, PropertyParser::number),
        fallbackOf(Key::kFunctionality),
        fallbackOf(Key::kButtonFontPath),
        fallbackValue(Key::kOffset, PropertyParser::pair),
    };
    return defaults;
}

std::optional<std::size_t> ObjectFactory::trailPlayerIndex(
    const std::string& trailName, const std::vector<std::string>& playerIds) {
    const auto follows = std::find_if(playerIds.begin(), playerIds.end(), [&](const auto& id) {
        return trailName.find(id) != std::string::npos;
    });
    if (follows == playerIds.end() || follows->size() < GameNames::racerNumberAt()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(follows - playerIds.begin());
}

ObjectFactory::ObjectFactory(AssetManager& assets) : m_assets(assets) {}

void ObjectFactory::buildObjects(const TmxMap& map) {
    for (const TmxObjectGroup& group : map.objectGroups) {
        for (const TmxObject& object : group.objects) {
            const std::shared_ptr<GameObject> built = build(object);
            if (!built) {
                continue;
            }
            m_assets.attachToLayer(built, &object);
            if (!isOnALayer(*built)) {
                discard(*built);
                continue;
            }
            if (object.type == Type::kPlayer) {
                m_assets.addPlayer(built);
            }
        }
    }
}

std::shared_ptr<GameObject> ObjectFactory::build(const TmxObject& object) {
    const Values values = readValues(object);
    const std::string& type = object.type;
    if (type == Type::kPlayer) {
        return createPlayer(object, m_assets.getPlayerCount(), values.texturePath, values.mass,
                            values.restitution, values.velocity, values.acceleration);
    }
    if (std::find(std::begin(kBorderTypes), std::end(kBorderTypes), type) !=
        std::end(kBorderTypes)) {
        return createBorder(object, values.mass, values.restitution, values.velocity,
                            values.acceleration);
    }
    if (GameNames::isGroundType(type)) {
        return createSurface(object);
    }
    if (type == Type::kStateButton) {
        return createStateButton(object, values.texturePath, values.nextState);
    }
    if (type == Type::kSettingsButton) {
        return createSettingsButton(object, values.texturePath, values.color);
    }
    if (type == Type::kText) {
        return createText(object, values.texturePath, values.text, values.fontSize, values.color);
    }
    if (type == Type::kTrail) {
        return buildTrail(object, values);
    }
    if (type == Type::kLogo) {
        return createLogo(object, values.texturePath);
    }
    return nullptr;
}

bool ObjectFactory::isOnALayer(const GameObject& gameObject) const {
    for (const auto& [name, layer] : m_assets.getLayers()) {
        const auto& objects = layer->getObjects();
        if (std::any_of(objects.begin(), objects.end(),
                        [&](const auto& member) { return member.get() == &gameObject; })) {
            return true;
        }
    }
    return false;
}

// An object on no layer is never drawn, updated or even seen by a screen; its components and
// their references back to it would keep it alive for good.
void ObjectFactory::discard(GameObject& gameObject) {
    m_assets.forgetRenderComponentsOf(gameObject);
    gameObject.clearComponents();
}

ObjectFactory::Values ObjectFactory::readValues(const TmxObject& object) const {
    Values values = defaultValues();
    for (const TmxProperty& property : object.properties) {
        const std::string& key = property.name;
        if (key == Key::kTexturePath || key == Key::kFontPath) {
            values.texturePath = assetPath(property.value);
        } else if (key == Key::kMass) {
            readInto(values.mass, object, property, PropertyParser::number, "a number");
        } else if (key == Key::kRestitution) {
            readInto(values.restitution, object, property, PropertyParser::number, "a number");
        } else if (key == Key::kVelocity) {
            readInto(values.velocity, object, property, PropertyParser::pair, "a number pair");
        } else if (key == Key::kAcceleration) {
            readInto(values.acceleration, object, property, PropertyParser::pair, "a number pair");
        } else if (key == Key::kNextState) {
            values.nextState = property.value;
        } else if (key == Key::kColor) {
            readInto(values.color, object, property, PropertyParser::colour, "a colour");
        } else if (key == Key::kFontSize) {
            readInto(values.fontSize, object, property, PropertyParser::integer, "an integer");
        } else if (key == Key::kText) {
            values.text = property.value;
        }
    }
    return values;
}

std::shared_ptr<GameObject> ObjectFactory::makeObject(const TmxObject& object) const {
    auto gameObject = std::make_shared<GameObject>(object.name);
    gameObject->setPosition(positionOf(object));
    return gameObject;
}

// An empty file property, as Tiled writes one left blank, names no file, as a missing one does.
std::string ObjectFactory::assetPath(const std::string& value) const {
    return value.empty() ? value : m_assets.getAssetRoot() + value;
}

std::shared_ptr<GameObject> ObjectFactory::createPlayer(const TmxObject& object, int inputSet,
                                                        const std::string& texturePath, float mass,
                                                        float restitution, sf::Vector2f velocity,
                                                        sf::Vector2f acceleration) {
    auto player = makeObject(object);
    auto renderer = std::make_shared<PlayerRenderComponent>(*m_assets.getRenderWindow(),
                                                            sf::Color::Black, player, texturePath);
    player->addComponent(renderer);
    player->addComponent(
        std::make_shared<PlayerMoveComponent>(player, static_cast<unsigned>(inputSet)));
    m_assets.addRenderComponent(renderer);
    m_assets.countPlayer();
    auto body =
        std::make_shared<RigidBodyComponent>(player, mass, restitution, velocity, acceleration);
    player->addComponent(body);
    player->addComponent(std::make_shared<BoxCollisionComponent>(
        player, body, positionOf(object).x, positionOf(object).y, object.width, object.height, true,
        PlayerMoveComponent::kFullOffsetY));
    return player;
}

std::shared_ptr<GameObject> ObjectFactory::createBorder(const TmxObject& object, float mass,
                                                        float restitution, sf::Vector2f velocity,
                                                        sf::Vector2f acceleration) {
    auto border = makeObject(object);
    auto body =
        std::make_shared<RigidBodyComponent>(border, mass, restitution, velocity, acceleration);
    border->addComponent(body);
    // The finish must let players in: only a box named "WinZone" is not solid.
    const bool solid = object.name != GameNames::kOpenWinZoneName;
    border->addComponent(std::make_shared<BoxCollisionComponent>(border, body, positionOf(object).x,
                                                                 positionOf(object).y, object.width,
                                                                 object.height, solid));
    return border;
}

std::shared_ptr<GameObject> ObjectFactory::createSurface(const TmxObject& object) {
    auto surface = makeObject(object);
    auto body =
        std::make_shared<RigidBodyComponent>(surface, 0.0f, 0.0f, sf::Vector2f(), sf::Vector2f());
    surface->addComponent(body);
    surface->addComponent(std::make_shared<BoxCollisionComponent>(
        surface, body, positionOf(object).x, positionOf(object).y, object.width, object.height,
        false));
    float speed = defaultValues().speed;
    float degradation = defaultValues().degradation;
    for (const TmxProperty& property : object.properties) {
        if (property.name == Key::kSpeed) {
            readInto(speed, object, property, PropertyParser::number, "a number");
        } else if (property.name == Key::kDegradation) {
            readInto(degradation, object, property, PropertyParser::number, "a number");
        }
    }
    surface->addComponent(std::make_shared<SurfaceComponent>(surface, speed, degradation));
    return surface;
}

std::shared_ptr<GameObject> ObjectFactory::createStateButton(const TmxObject& object,
                                                             std::string texturePath,
                                                             std::string nextState) {
    auto button = makeObject(object);
    auto face = std::make_shared<SpriteRenderComponent>(
        *m_assets.getRenderWindow(), sf::Color::Black, button, std::move(texturePath));
    button->addComponent(face);
    button->addComponent(std::make_shared<StateButtonComponent>(
        button, button->getPosition(), object.width, object.height, face, std::move(nextState)));
    m_assets.addRenderComponent(face);
    return button;
}

std::shared_ptr<GameObject> ObjectFactory::createSettingsButton(const TmxObject& object,
                                                                std::string texturePath,
                                                                sf::Color color) {
    const Values& defaults = defaultValues();
    std::string functionality = defaults.functionality;
    std::string text = defaults.text;
    std::string fontPath = defaults.buttonFontPath;
    int fontSize = defaults.fontSize;
    sf::Vector2f offset = defaults.offset;
    for (const TmxProperty& property : object.properties) {
        if (property.name == Key::kFunctionality) {
            functionality = property.value;
        } else if (property.name == Key::kText) {
            text = property.value;
        } else if (property.name == Key::kButtonFontPath) {
            fontPath = assetPath(property.value);
        } else if (property.name == Key::kFontSize) {
            readInto(fontSize, object, property, PropertyParser::integer, "an integer");
        } else if (property.name == Key::kOffset) {
            readInto(offset, object, property, PropertyParser::pair, "a number pair");
        }
    }
    auto button = makeObject(object);
    sf::RenderWindow& window = *m_assets.getRenderWindow();
    auto face = std::make_shared<SpriteRenderComponent>(window, sf::Color::Black, button,
                                                        std::move(texturePath));
    button->addComponent(face);
    button->addComponent(std::make_shared<SettingsButtonComponent>(button, button->getPosition(),
                                                                   object.width, object.height,
                                                                   face, std::move(functionality)));
    auto label = std::make_shared<TextRenderComponent>(window, fontPath,
                                                       static_cast<unsigned>(std::max(fontSize, 0)),
                                                       color, button, offset, std::move(text));
    alignText(*label, object);
    button->addComponent(label);
    m_assets.addRenderComponent(face);
    return button;
}

std::shared_ptr<GameObject> ObjectFactory::createText(const TmxObject& object,
                                                      const std::string& fontPath,
                                                      const std::string& text, int fontSize,
                                                      sf::Color color) {
    auto label = makeObject(object);
    auto renderer = std::make_shared<TextRenderComponent>(
        *m_assets.getRenderWindow(), fontPath, static_cast<unsigned>(std::max(fontSize, 0)), color,
        label, sf::Vector2f(), text);
    alignText(*renderer, object);
    label->addComponent(renderer);
    m_assets.addRenderComponent(renderer);
    return label;
}

std::shared_ptr<GameObject> ObjectFactory::buildTrail(const TmxObject& object,
                                                      const Values& values) {
    std::vector<std::string> playerIds;
    for (const auto& player : m_assets.getPlayers()) {
        playerIds.push_back(player->getId());
    }
    const auto follows = trailPlayerIndex(object.name, playerIds);
    if (!follows) {
        sf::err() << "Trail \"" << object.name
                  << "\" names no player built before it (a trail is named after its player, "
                     "e.g. Player1Trail); it is left out"
                  << std::endl;
        return nullptr;
    }
    return createTrail(m_assets.getPlayers()[*follows], values.texturePath);
}

std::shared_ptr<GameObject> ObjectFactory::createTrail(std::shared_ptr<GameObject> player,
                                                       const std::string& texturePath) {
    auto trail = std::make_shared<GameObject>(
        "TrailOn" + player->getId().substr(GameNames::racerNumberAt(), 1));
    trail->addComponent(
        std::make_shared<TrailComponent>(*m_assets.getRenderWindow(), player, texturePath));
    return trail;
}

std::shared_ptr<GameObject> ObjectFactory::createLogo(const TmxObject& object,
                                                      std::string texturePath) {
    auto logo = makeObject(object);
    auto sprite = std::make_shared<SpriteRenderComponent>(
        *m_assets.getRenderWindow(), sf::Color::White, logo, std::move(texturePath));
    logo->addComponent(sprite);
    m_assets.addRenderComponent(sprite);
    return logo;
}
