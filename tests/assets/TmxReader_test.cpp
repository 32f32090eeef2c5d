#include "assets/TmxReader.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <string>
#include <tuple>
#include <vector>

namespace {

TmxParseResult parse(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return parseTmx(buffer.data());
}

// "name|type|gid|x,y|width x height|key=value;..." of an object, to compare it in one go.
std::string describe(const TmxObject& object) {
    std::string text = object.name + '|' + object.type + '|' + std::to_string(object.gid) + '|' +
                       std::to_string(object.x) + ',' + std::to_string(object.y) + '|' +
                       std::to_string(object.width) + 'x' + std::to_string(object.height) + '|';
    for (const auto& property : object.properties) {
        text += property.name + '=' + property.value + ';';
    }
    return text;
}

TEST(TmxReaderTest, ReadsAMapAsTiledWritesIt) {
    const auto result = parse(
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- edited by hand -->\n"
        "<map version='1.9' width='3' height='2' tilewidth='32' tileheight='32' infinite='0'>\n"
        " <tileset firstgid='1' name='ground' tilewidth='32' tileheight='32'>\n"
        "  <image source='tiles/ground.png' width='256' height='256'/></tileset>\n"
        " <tileset firstgid='65' name='a &amp; b' tilewidth='16' tileheight='16'>"
        "<image source='b.png'/></tileset>\n"
        " <layer id='1' name='Back' width='3' height='2'>\n"
        "  <data encoding='csv'>\n1,2,\n3,4,65,0\n</data></layer>\n"
        " <layer name='Front' width='2' height='2'><data> 1 ,2\r\n3,,4</data></layer>\n"
        " <objectgroup id='2' name='Things' visible='0'>\n"
        "  <object id='1' name='Player1' type='Player' gid='7' x='12.75' y='-3.5' width='20'"
        " height='30'><properties><property name='correspondingLayer' value='Front'/>\n"
        "    <property name='text'>two\nlines</property></properties></object>\n"
        "  <object id='2' class='Logo' x='1' y='2'/>\n"
        "  <object id='3' type='' class='Ignored' x='0' y='0'/></objectgroup>\n"
        " <objectgroup name='Shown' visible='2'/><objectgroup name='Default'/>\n</map>\n");
    ASSERT_TRUE(result.map) << result.error();
    EXPECT_TRUE(result.warnings.empty());
    const TmxMap& map = *result.map;
    ASSERT_EQ(std::make_tuple(map.tilesets.size(), map.layers.size(), map.objectGroups.size()),
              std::make_tuple(2u, 2u, 3u));
    EXPECT_EQ(std::make_tuple(map.width, map.tileHeight, map.tilesets[1].firstGid),
              std::make_tuple(3, 32, 65));
    EXPECT_EQ(map.tilesets[0].imageSource + '|' + map.tilesets[1].name, "tiles/ground.png|a & b");
    EXPECT_EQ(map.layers[0].data, (std::vector<int>{1, 2, 3, 4, 65, 0}));
    EXPECT_EQ(map.layers[1].name, "Front");
    EXPECT_EQ(map.layers[1].data, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(std::make_tuple(map.objectGroups[0].visible, map.objectGroups[1].visible,
                              map.objectGroups[2].visible),
              std::make_tuple(false, true, true));
    const auto& objects = map.objectGroups[0].objects;
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(describe(objects[0]),
              "Player1|Player|7|12,-3|20x30|correspondingLayer=Front;text=two\nlines;");
    EXPECT_EQ(describe(objects[1]), "|Logo|0|1,2|0x0|");
    EXPECT_EQ(describe(objects[2]), "||0|0,0|0x0|");
}

// Plain digits are read on a quick path; everything else must still read as atoi reads it.
// Flipped or rotated tiles (horizontal, vertical, diagonal, hexagonal bits) are left empty.
TEST(TmxReaderTest, CellsReadAsAtoiWouldAndFlippedTilesAreLeftEmptyWithAWarning) {
    const auto result = parse(
        "<map width='6' height='1' tilewidth='8' tileheight='8'><layer name='A' width='6' "
        "height='1'><data>0012,7x,+3,-0,123456789,1234567890</data></layer>\n<layer name='B' "
        "width='5' height='1'><data>2147483649,1073741825,536870913,268435457,268435455</data>"
        "</layer><layer name='C' width='1' height='1'><data>4294967295</data></layer></map>");
    ASSERT_TRUE(result.map) << result.error();
    EXPECT_EQ(result.map->layers[0].data, (std::vector<int>{12, 7, 3, 0, 123456789, 0}));
    EXPECT_EQ(result.map->layers[1].data, (std::vector<int>{0, 0, 0, 0, 268435455}));
    EXPECT_EQ(result.map->layers[2].data, (std::vector<int>{0}));
    ASSERT_EQ(result.warnings.size(), 3u);
    EXPECT_NE(result.warnings[0].message.find("layer \"A\": 1 flipped"), std::string::npos);
    const std::string second = result.warnings[1].describe();
    for (const char* part : {"layer \"B\": 4 flipped", "column 0, row 0", "(line 2, column 39)"}) {
        EXPECT_NE(second.find(part), std::string::npos) << second;
    }
}

// Each is refused in one line naming the problem; the text goes inside a valid <map> unless it is
// a whole document itself.
TEST(TmxReaderTest, MalformedMapsAreRefusedInOneLineNamingTheProblem) {
    const std::string kLayer = "<layer name='L' width='3' height='2'>";
    const struct {
        std::string text, problem;
    } cases[] = {
        {"<map width='1'", "XML syntax error: "},
        {"<maps/>", "there is no <map> element"},
        {"<map width='1' height='1' tilewidth='8'/>",
         "no \"tileheight\" attribute (line 1, column 2)"},
        {"<map width='1' height='1' tilewidth='0' tileheight='8'/>",
         "is 0, not between 1 and 4096"},
        {"<map width='99999999999' height='1' tilewidth='8' tileheight='8'/>", "out of range"},
        {"<map width='1' height='1' tilewidth='8' tileheight='8' infinite='1'/>", "is infinite"},
        {"\n<tileset firstgid='1' name='t' tilewidth='8' tileheight='8'/>",
         "no <image> element (line 2"},
        {"<tileset firstgid='1' source='ground.tsx'/>",
         "\"ground.tsx\" is kept in a file of its own"},
        {kLayer + "</layer>", "<layer> has no <data> element"},
        {"<layer name='L' width='-1' height='1'><data/></layer>", "is -1, not between 0 and 65536"},
        {"<layer name='L' width='65536' height='65536'><data/></layer>", "has 4294967296 cells"},
        {kLayer + "<data>1,2,3,4,5</data></layer>", "has 5 cells in its data instead of 3 x 2 = 6"},
        {kLayer + "<data>1,2,3,4,5,6,7</data></layer>", "has 7 cells"},
        {kLayer + "<data>1,2,3,4,5,99999999999</data></layer>", "cell that is no gid: 99999999999"},
        {kLayer + "<data encoding='base64' compression='zlib'>eJw=</data></layer>", "base64 zlib"},
        {kLayer + "<data><tile gid='1'/></data></layer>", "layer \"L\" is saved as XML"},
        {kLayer + "<data encoding='csv'><chunk>1</chunk></data></layer>", "stored in chunks"}};
    for (const auto& bad : cases) {
        const auto result = parse(bad.text.rfind("<map", 0) == 0
                                      ? bad.text
                                      : "<map width='1' height='1' tilewidth='8' tileheight='8'>" +
                                            bad.text + "</map>");
        EXPECT_FALSE(result.map) << bad.text;
        EXPECT_NE(result.error().find(bad.problem), std::string::npos) << result.error();
        EXPECT_EQ(result.error().find('\n'), std::string::npos) << result.error();
    }
}

// RapidXML writes NULs over the text, among them over the line break after an element name, so
// the position must be counted in the text as it was.
TEST(TmxReaderTest, SyntaxErrorsGiveTheLineAndColumnOfTheOriginalText) {
    const auto result = parse(
        "<map\nwidth='1' height='1'\ntilewidth='8' tileheight='8'>\n<layer\nname='a &amp; b'\n"
        "  width='1' height='1'>\n  <data>1</data>\n</layer>\n <objectgroup name='g' x=1/>");
    EXPECT_EQ(result.error(), "XML syntax error: expected ' or \" (line 9, column 26)");
}

// The game reads only the map's own tile and object layers; it says what it leaves out.
TEST(TmxReaderTest, ImageLayersAndLayersInsideGroupsAreLeftOutWithAWarning) {
    const auto result = parse(
        "<map width='1' height='1' tilewidth='8' tileheight='8'>\n"
        "<imagelayer name='Sky'/><group name='Back'><layer name='Far'/>\n"
        " <group name='Deep'><objectgroup name='Walls'/><imagelayer name='Sun'/></group></group>"
        "<group name='Empty'/></map>");
    ASSERT_TRUE(result.map) << result.error();
    EXPECT_TRUE(result.map->layers.empty() && result.map->objectGroups.empty());
    std::string warnings;
    for (const auto& warning : result.warnings) {
        warnings += warning.describe() + '\n';
    }
    EXPECT_EQ(result.warnings.size(), 4u) << warnings;
    for (const char* part :
         {"image layer \"Sky\" is left out", "(line 2, column 2)",
          "tile layer \"Far\" inside the group layer \"Back\"", "(line 2, column 45)",
          "object layer \"Walls\" inside the group layer \"Deep\"",
          "image layer \"Sun\" inside the group layer \"Deep\""}) {
        EXPECT_NE(warnings.find(part), std::string::npos) << part << '\n' << warnings;
    }
}

// One pass names every element that cannot be read; what could be read is kept for tools, and a
// layer whose cells are unreadable stays, empty, so that objects naming it still find it.
TEST(TmxReaderTest, EveryBrokenElementIsReportedAndTheRestKeptAside) {
    const auto result = parse(
        "<map width='2' height='1' tilewidth='8' tileheight='8'>\n"
        "<tileset firstgid='1' source='a.tsx'/>\n"
        "<layer name='Bad' width='2' height='1'><data encoding='base64'>AAAA</data></layer>\n"
        "<layer name='Flipped' width='2' height='1'><data>2147483649,1</data></layer>\n"
        "<objectgroup name='g'><object y='1'/><object name='kept' x='1' y='1'><properties>"
        "<property value='v'/><property name='k' value='v'/></properties></object>"
        "</objectgroup></map>");
    EXPECT_FALSE(result.map);
    ASSERT_EQ(result.errors.size(), 4u);
    EXPECT_EQ(result.errors[1].position.line, 3);
    EXPECT_NE(result.errors[2].message.find("<object> has no \"x\" attribute"), std::string::npos);
    EXPECT_NE(result.errors[3].message.find("<property> has no \"name\""), std::string::npos);
    EXPECT_NE(result.error().find("(line 2, column 2) (and 3 more problem(s))"), std::string::npos)
        << result.error();

    ASSERT_TRUE(result.incomplete);
    const TmxMap& kept = *result.incomplete;
    EXPECT_TRUE(kept.tilesets.empty());
    ASSERT_EQ(kept.layers.size(), 2u);
    EXPECT_EQ(kept.layers[0].name, "Bad");
    EXPECT_TRUE(kept.layers[0].data.empty());
    EXPECT_EQ(kept.layers[1].data, (std::vector<int>{0, 1}));
    ASSERT_EQ(kept.objectGroups.at(0).objects.size(), 1u);
    EXPECT_EQ(describe(kept.objectGroups[0].objects[0]), "kept||0|1,1|0x0|k=v;");
}

std::string nested(int depth, const std::string& open, const std::string& between = "") {
    std::string text;
    for (int level = 0; level < depth; ++level) {
        text += open + between;
    }
    return text;
}

// The XML parser recurses once per level: hundreds of thousands of levels would overflow the
// stack, so they are refused before it starts, whatever the text between the tags.
TEST(TmxReaderTest, DeepNestingIsRefusedBeforeParsing) {
    const std::string map = "<map width='1' height='1' tilewidth='8' tileheight='8'>";
    const auto atLimit = parse(map + nested(kMaxMapNesting - 1, "<g>"));
    EXPECT_EQ(atLimit.error().find("nested"), std::string::npos) << atLimit.error();

    const auto overLimit = parse(map + "\n" + nested(kMaxMapNesting, "<g>"));
    EXPECT_FALSE(overLimit.map);
    EXPECT_NE(overLimit.error().find("nested more than 100 levels deep"), std::string::npos);
    EXPECT_NE(overLimit.error().find("(line 2, column " + std::to_string(3 * kMaxMapNesting - 1)),
              std::string::npos)
        << overLimit.error();

    // Text that looks like closing tags but is not one must not hide the depth.
    constexpr int kDeep = 300000;
    for (const char* between :
         {"<!-- </g> -->", "<!--></g>-->", "<?></g>?>", "<![CDATA[</g>]]>", "<?pi </g>?>",
          "<!DOCTYPE g [<!ENTITY e '>'> </g>]>", "<!x </g>", "<e a='/>' b=\"</g>\"/>", "text"}) {
        const auto result = parse(map + nested(kDeep, "<g v='>'>", between));
        EXPECT_NE(result.error().find("nested more than"), std::string::npos) << between;
    }
}

// Tiled writes tilesets in the order of their first gids; out of order, the walk still stops
// only at one above the gid.
TEST(TmxReaderTest, AGidIsCutFromTheLastTilesetBeforeOneStartingAboveIt) {
    TmxMap map;
    map.tilesets.resize(3);
    map.tilesets[0].firstGid = 1;
    map.tilesets[1].firstGid = 65;
    map.tilesets[2].firstGid = 30;
    EXPECT_EQ(tilesetOfGid(map, 65), &map.tilesets[2]);
}

}  // namespace

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

// A map folder of its own with these templates in it; removed afterwards.
struct TemplateFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tmx-templates-" + std::to_string(::getpid()));
    explicit TemplateFolder(const Files& files) {
        std::filesystem::create_directories(path / "folder.tx");
        for (const auto& [name, text] : files) {
            std::ofstream(path / name) << text;
        }
    }
    ~TemplateFolder() { std::filesystem::remove_all(path); }
    TmxParseResult parse(const std::string& objects) const {
        std::string text =
            "<map width='1' height='1' tilewidth='8' tileheight='8'>"
            "<objectgroup name='G'>" +
            objects + "</objectgroup></map>";
        return parseTmx(text.data(), path.string() + "/");
    }
};

}  // namespace

// What an object from a template is made of is held against Tiled in tools.tiled_reference.
TEST(TmxReaderTest, AMissingOrBrokenTemplateNamesTheObjectAndTheFile) {
    const TemplateFolder folder(
        {{"broken.tx", "<template><object name='P'"}, {"empty.tx", "<template/>"}});
    const std::pair<const char*, const char*> cases[] = {
        {"none.tx", "cannot be read"},
        {"folder.tx", "cannot be read"},
        {"broken.tx", "is broken: XML syntax error"},
        {"empty.tx", "is not a template"}};
    for (const auto& [file, problem] : cases) {
        const auto result = folder.parse(std::string("<object name='Player1' template='") + file +
                                         "' x='0' y='0'/>");
        EXPECT_FALSE(result.map) << file;
        EXPECT_NE(result.error().find(std::string("object \"Player1\": its template \"") + file +
                                      "\" " + problem),
                  std::string::npos)
            << result.error();
    }
}
