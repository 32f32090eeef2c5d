#include "assets/StrictXml.hpp"

#include <algorithm>
#include <cstring>
#include <rapidxml.hpp>
#include <set>
#include <string_view>
#include <utility>

#include "assets/MapWording.hpp"
#include "assets/TextPositions.hpp"

namespace {

using Node = rapidxml::xml_node<>;

constexpr char kTiledRefuses[] = "Tiled cannot open the map";
constexpr unsigned long kBeyondUnicode = 0x110000;

bool isXmlCharacter(unsigned long code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code < kBeyondUnicode);
}

int digitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    return hex && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Whether the text after a "&" begins a reference that XML knows without a document type: one
// of the five named ones, or the code of a character XML allows.
bool beginsReference(std::string_view rest) {
    for (const std::string_view name : {"amp;", "lt;", "gt;", "quot;", "apos;"}) {
        if (rest.substr(0, name.size()) == name) {
            return true;
        }
    }
    if (rest.empty() || rest[0] != '#') {
        return false;
    }
    const bool hex = rest.size() > 1 && rest[1] == 'x';
    std::size_t at = hex ? 2 : 1;
    const std::size_t firstDigit = at;
    unsigned long code = 0;
    for (; at < rest.size() && digitValue(rest[at], hex) >= 0; ++at) {
        code =
            std::min(code * (hex ? 16 : 10) + static_cast<unsigned long>(digitValue(rest[at], hex)),
                     kBeyondUnicode);
    }
    return at > firstDigit && at < rest.size() && rest[at] == ';' && isXmlCharacter(code);
}

// Finds the first element nested deeper than `limit` without recursing, following the XML
// parser's own reading of tags, comments, CDATA, declarations and document types, so that a
// nesting the parser would descend into is never missed. Returns that element's name, or null.
class NestingScan {
public:
    NestingScan(const char* text, int limit) : m_at(text), m_limit(limit) {}

    const char* firstTooDeep() {
        while (*m_at != '\0') {
            if (*m_at != '<') {
                ++m_at;
            } else if (const char* tooDeep = tag()) {
                return tooDeep;
            }
        }
        return nullptr;
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    bool startsWith(const char* prefix) const {
        return std::strncmp(m_at, prefix, std::strlen(prefix)) == 0;
    }
    // Skips the opener, then everything up to and including `end` (the end is looked for only
    // after the opener, as the parser does: "<!-->" does not close the comment it opens).
    void skipPast(const char* opener, const char* end) {
        m_at += std::strlen(opener);
        const char* found = std::strstr(m_at, end);
        m_at = found == nullptr ? m_at + std::strlen(m_at) : found + std::strlen(end);
    }

    // m_at is on a '<'. Moves past the tag; returns the element's name when it is one too deep.
    const char* tag() {
        ++m_at;
        if (*m_at == '?') {
            skipPast("?", "?>");
        } else if (startsWith("!--")) {
            skipPast("!--", "-->");
        } else if (startsWith("![CDATA[")) {
            skipPast("![CDATA[", "]]>");
        } else if (startsWith("!DOCTYPE") && isBlank(m_at[8])) {
            documentType();
        } else if (*m_at == '!') {
            skipPast("!", ">");
        } else if (*m_at == '/') {
            m_depth = std::max(0, m_depth - 1);
            skipPast("/", ">");
        } else {
            return element();
        }
        return nullptr;
    }

    // A document type ends at the first '>' outside its bracketed internal subset.
    void documentType() {
        int brackets = 0;
        for (; *m_at != '\0' && (*m_at != '>' || brackets > 0); ++m_at) {
            brackets += *m_at == '[' ? 1 : *m_at == ']' ? -1 : 0;
        }
        if (*m_at == '>') {
            ++m_at;
        }
    }

    const char* element() {
        const char* name = m_at;
        while (*m_at != '\0' && !isBlank(*m_at) && *m_at != '/' && *m_at != '>' && *m_at != '?') {
            ++m_at;
        }
        // Attribute values may hold '>' and "/>"; only the tag's own end counts.
        while (*m_at != '\0' && *m_at != '>' && !(m_at[0] == '/' && m_at[1] == '>')) {
            if (*m_at == '"' || *m_at == '\'') {
                const char* close = std::strchr(m_at + 1, *m_at);
                m_at = close == nullptr ? m_at + std::strlen(m_at) : close + 1;
            } else {
                ++m_at;
            }
        }
        if (*m_at == '/') {
            m_at += 2;
            return nullptr;
        }
        if (*m_at == '>') {
            ++m_at;
        }
        return ++m_depth > m_limit ? name : nullptr;
    }

    const char* m_at;
    int m_limit;
    int m_depth = 0;
};

class StrictScan {
public:
    explicit StrictScan(const TextPositions& positions) : m_positions(positions) {}

    void document(const Node& document) {
        int topLevel = 0;
        for (const Node* child = document.first_node(); child != nullptr;
             child = child->next_sibling()) {
            if (++topLevel == 2) {
                report(child->name(), MapWording::tagOf(*child) + " is a second top-level element");
            }
        }
        std::vector<const Node*> open{&document};
        while (!open.empty()) {
            const Node& node = *open.back();
            open.pop_back();
            attributes(node);
            for (const Node* child = node.first_node(); child != nullptr;
                 child = child->next_sibling()) {
                if (child->type() == rapidxml::node_element) {
                    open.push_back(child);
                } else if (child->type() == rapidxml::node_data) {
                    ampersands(*child);
                }
            }
        }
    }

    void closingTag(const char* nameEnd, const char* textStart) {
        const char* name = nameEnd;
        while (name > textStart && name[-1] != '/') {
            --name;
        }
        report(name, "the closing tag </" + std::string(name, nameEnd) +
                         "> names another element than the one it closes");
    }

    std::vector<TmxProblem> take() { return std::move(m_problems); }

private:
    void attributes(const Node& node) {
        std::set<std::string_view> seen;
        for (const auto* attribute = node.first_attribute(); attribute != nullptr;
             attribute = attribute->next_attribute()) {
            const std::string_view name(attribute->name(), attribute->name_size());
            if (!seen.insert(name).second) {
                report(attribute->name(), MapWording::tagOf(node) + " has the attribute " +
                                              MapWording::inQuotes(std::string(name)) +
                                              " twice; the game reads the first");
            }
            const std::string_view value(attribute->value(), attribute->value_size());
            const auto less = value.find('<');
            if (less != std::string_view::npos) {
                report(attribute->value() + less, "a \"<\" in the value of " +
                                                      MapWording::inQuotes(std::string(name)) +
                                                      "; write it as \"&lt;\"");
            }
            ampersands(*attribute);
        }
    }

    // The first "&" of a value that begins no reference; one report per value is enough.
    void ampersands(const rapidxml::xml_base<>& item) {
        const std::string_view value(item.value(), item.value_size());
        for (auto at = value.find('&'); at != std::string_view::npos;
             at = value.find('&', at + 1)) {
            if (!beginsReference(value.substr(at + 1))) {
                report(item.value() + at,
                       "a \"&\" that begins no reference such as \"&amp;\"; write \"&amp;\" "
                       "for \"&\"");
                return;
            }
        }
    }

    void report(const char* place, const std::string& problem) {
        m_problems.push_back({problem + ": " + kTiledRefuses, m_positions.of(place)});
    }

    const TextPositions& m_positions;
    std::vector<TmxProblem> m_problems;
};

}  // namespace

const char* findTooDeepElement(const char* text, int limit) {
    return NestingScan(text, limit).firstTooDeep();
}

std::vector<TmxProblem> findStrictXmlProblems(const std::string& text) {
    // Entities are left as written, so every value still stands where it stood in the text.
    constexpr int kAsWritten = rapidxml::parse_no_entity_translation;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    const TextPositions positions(buffer.data());
    StrictScan scan(positions);
    try {
        // Closing tags are compared in a parse of their own, as a mismatch ends it.
        std::vector<char> copy = buffer;
        try {
            rapidxml::xml_document<> strict;
            strict.parse<kAsWritten | rapidxml::parse_validate_closing_tags>(copy.data());
        } catch (const rapidxml::parse_error& error) {
            if (std::strcmp(error.what(), "invalid closing tag name") != 0) {
                throw;
            }
            scan.closingTag(buffer.data() + (error.where<char>() - copy.data()), buffer.data());
        }
        rapidxml::xml_document<> document;
        document.parse<kAsWritten>(buffer.data());
        scan.document(document);
    } catch (const rapidxml::parse_error&) {
        // Not a text the game reads; its syntax error is reported by the reader.
    }
    return scan.take();
}
