#include "platform/TextTemplate.hpp"

#include <gtest/gtest.h>

namespace {

// What designers write into a map is filled in as written: every gap of ours, each time it
// appears; anything else in braces kept; and nothing a value brings is filled in after it.
TEST(TextTemplateTest, FillsOnlyItsOwnGapsOnce) {
    const TextTemplate::Values values{{"page", "2"}, {"pages", "{page}"}, {"error", "}{"}};
    const std::pair<const char*, const char*> cases[] = {
        {"page {page} of {pages}", "page 2 of {page}"},
        {"{page}{page}", "22"},
        {"{{page}}", "{2}"},
        {"{pagez} {Page} {}", "{pagez} {Page} {}"},
        {"broken: {error} {page", "broken: }{ {page"},
        {"", ""},
    };
    for (const auto& [text, filled] : cases) {
        EXPECT_EQ(TextTemplate::fill(text, values), filled) << text;
    }
}

}  // namespace
