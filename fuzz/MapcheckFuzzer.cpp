// Map texts as the map checker reads them: everything it reports lies inside the text.
#include "FuzzSupport.hpp"
#include "assets/MapChecker.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (discardGameErrors(), true);
    (void)ready;
    const std::string text = textOf(data, size);
    // Images and fonts are looked for where there are none: files are not part of the input.
    for (const auto& diagnostic : MapChecker("/nonexistent/").checkText(text)) {
        check(!diagnostic.message.empty() && liesInside(text, diagnostic.position));
    }
    return 0;
}
