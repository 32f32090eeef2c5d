#pragma once

#include <string>
#include <utility>
#include <vector>

// Texts with gaps, written where a designer can change the words: "best {score}" is shown with the
// score where "{score}" stands. A gap nobody fills stays as written, so a misspelt one is seen.
class TextTemplate {
public:
    using Values = std::vector<std::pair<std::string, std::string>>;

    // Every "{name}" of values replaced by its value; what a value brings is not filled in.
    static std::string fill(const std::string& text, const Values& values);
};
