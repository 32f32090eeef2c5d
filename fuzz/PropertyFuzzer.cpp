// Property values as maps give them: the conversions on their own, and the factory reading an
// object whose every property has the value.
#include <cmath>

#include "FuzzSupport.hpp"
#include "assets/AssetManager.hpp"
#include "assets/ObjectFactory.hpp"
#include "assets/PropertyParser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (discardGameErrors(), true);
    (void)ready;
    const std::string value = textOf(data, size);

    // The conversions promise finite numbers and opaque colours; anything else is a fault.
    if (const auto number = PropertyParser::number(value)) {
        check(std::isfinite(*number));
    }
    PropertyParser::integer(value);
    if (const auto pair = PropertyParser::pair(value)) {
        check(std::isfinite(pair->x) && std::isfinite(pair->y));
    }
    if (const auto colour = PropertyParser::colour(value)) {
        check(colour->a == 255);
    }

    TmxObject object;
    object.name = value;
    for (const auto& rule : ObjectFactory::typeRules()) {
        for (const auto& key : rule.properties) {
            object.properties.push_back({key.key, value, {}});
        }
    }
    const auto values = ObjectFactory(AssetManager::instance()).readValues(object);
    check(std::isfinite(values.mass) && std::isfinite(values.velocity.x) && values.color.a == 255);
    return 0;
}
