#include "states/CoursesState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <map>
#include <ostream>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/ActionButtonComponent.hpp"
#include "components/SettingsButtonComponent.hpp"
#include "components/SpriteRenderComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "core/Game.hpp"
#include "objects/GameNames.hpp"
#include "objects/Leaderboard.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/TextTemplate.hpp"

namespace {

constexpr const char* kPlate = "ui/CoursePlate.png";
constexpr const char* kGreyPlate = "ui/CoursePlateGrey.png";
const sf::Color kInk(36, 36, 36, 255);
const sf::Color kPaperInk(70, 58, 56, 255);
const sf::Color kGreyInk(120, 116, 112, 255);
// Offsets of the texts on an entry's plate; a text is drawn half its size above the point.
const sf::Vector2f kNameAt(32.0f, 32.0f);
const sf::Vector2f kDescriptionAt(32.0f, 76.0f);
const sf::Vector2f kBestAt(960.0f, 34.0f);
constexpr unsigned kNameSize = 48;
constexpr unsigned kLineSize = 32;
// Longer lines would run off the plate.
constexpr std::size_t kLongestName = 36;
constexpr std::size_t kLongestLine = 72;
// The map properties holding the screen's own words, and the text object showing the page.
constexpr const char* kBestScoreText = "bestScoreText";
constexpr const char* kNotRacedText = "notRacedText";
constexpr const char* kPageLabel = "PageLabel";

std::string shortened(const std::string& text, std::size_t longest) {
    return text.size() <= longest ? text : text.substr(0, longest - 3) + "...";
}

}  // namespace

CoursesState::CoursesState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void CoursesState::init() {
    for (const auto& [functionality, step] : {std::pair(GameNames::Setting::kPreviousCourses, -1),
                                              std::pair(GameNames::Setting::kNextCourses, 1)}) {
        SettingsButtonComponent::setAction(
            functionality, [pageStep = std::weak_ptr<int>(m_pageStep), step = step] {
                if (const auto shared = pageStep.lock()) {
                    *shared = step;
                }
            });
    }
    // Read afresh on every visit: the player may have dropped a map into the folder meanwhile.
    m_courses = m_game != nullptr ? m_game->listCourses() : CourseCatalogue::list({}, "");
    m_page = std::min(m_page, pageCount() - 1);
    showPage();
    for (const RaceCourse& course : m_courses) {
        if (!course.raceable()) {
            sf::err() << "Course " << course.mapPath << " cannot be raced: " << problemText(course)
                      << std::endl;
        }
    }
}

std::string CoursesState::problemText(const RaceCourse& course) const {
    static const std::map<CourseProblem, const char*> keys{
        {CourseProblem::NotAFile, "notAFileText"},
        {CourseProblem::Unreadable, "unreadableText"},
        {CourseProblem::Broken, "brokenMapText"},
        {CourseProblem::NoRacer, "noRacerText"},
    };
    const auto key = keys.find(course.problem);
    return key == keys.end() ? "" : m_texts.text(key->second, {{"error", course.loadError}});
}

std::size_t CoursesState::pageCount() const {
    return std::max<std::size_t>(1, (m_courses.size() + kPerPage - 1) / kPerPage);
}

void CoursesState::showPage() {
    m_gameObjectManager.clear();
    enterMenuScreen(kMapFile, m_view, &m_font);
    const auto& layers = AssetManager::instance().getLayers();
    m_texts = ScreenTexts(AssetManager::instance().getMapProperties(), kMapFile);
    if (m_gameObjectManager.getObjects().empty() || layers.empty()) {
        return;  // no font or no map: the loaders have said why
    }
    showPageNumber();
    LayerComponent& top = *layers.back().second;
    const std::size_t first = m_page * kPerPage;
    for (std::size_t i = first; i < std::min(first + kPerPage, m_courses.size()); ++i) {
        addEntry(top, i);
    }
}

void CoursesState::addEntry(LayerComponent& layer, std::size_t index) {
    const RaceCourse& course = m_courses[index];
    const float slot = static_cast<float>(index % kPerPage);
    auto entry = std::make_shared<GameObject>("Course" + std::to_string(index + 1));
    entry->setPosition(kLeft, kTop + slot * kStep);
    sf::RenderWindow& target = *window();
    const auto text = [&](sf::Vector2f offset, unsigned size, sf::Color colour, std::string line) {
        entry->addComponent(std::make_shared<TextRenderComponent>(
            target, AssetFolder::path(kFontFile), size, colour, entry, offset, std::move(line)));
    };
    const bool raceable = course.raceable();
    auto plate = std::make_shared<SpriteRenderComponent>(
        target, sf::Color::Black, entry, AssetFolder::path(raceable ? kPlate : kGreyPlate));
    entry->addComponent(plate);
    if (raceable) {
        entry->addComponent(
            std::make_shared<ActionButtonComponent>(entry, entry->getPosition(), kWidth, kHeight,
                                                    plate, [this, index] { m_chosen = index; }));
    }
    text(kNameAt, kNameSize, raceable ? kInk : kGreyInk, shortened(course.name, kLongestName));
    text(kDescriptionAt, kLineSize, raceable ? kPaperInk : kGreyInk,
         shortened(raceable ? course.description : problemText(course), kLongestLine));
    if (raceable) {
        text(kBestAt, kLineSize, kInk, bestScoreText(course));
    }
    layer.addObject(entry);
    m_gameObjectManager.addGameObject(entry);
    entry->init();
}

std::string CoursesState::bestScoreText(const RaceCourse& course) const {
    const auto entries = Leaderboard(course.boardPath).readEntries();
    if (!entries || entries->empty()) {
        return m_texts.text(kNotRacedText);
    }
    const auto best = std::max_element(
        entries->begin(), entries->end(),
        [](const LeaderboardEntry& a, const LeaderboardEntry& b) { return a.score < b.score; });
    return m_texts.text(kBestScoreText, {{"score", best->scoreText}});
}

// The map's label says where the page goes: "{page}" and "{pages}" in it are filled in.
void CoursesState::showPageNumber() {
    const auto label = m_gameObjectManager.getGameObject(kPageLabel);
    const auto text = label ? label->getComponent<TextRenderComponent>() : nullptr;
    if (text) {
        text->setText(TextTemplate::fill(
            text->getText(),
            {{"page", std::to_string(m_page + 1)}, {"pages", std::to_string(pageCount())}}));
    }
}

void CoursesState::update(float frameSeconds) {
    m_chosen.reset();
    *m_pageStep = 0;
    updateMenu(m_view, frameSeconds);
    if (m_chosen && m_game != nullptr) {
        m_game->setCourse(m_courses[*m_chosen]);
        requestState(GameNames::Screen::kRace);
    } else if (*m_pageStep != 0) {
        const long page = static_cast<long>(m_page) + *m_pageStep;
        if (page >= 0 && page < static_cast<long>(pageCount())) {
            m_page = static_cast<std::size_t>(page);
            showPage();
        }
    }
}

// The race is entered from here: like the title, the map goes at once and the race finds the
// design view.
void CoursesState::exit() {
    m_gameObjectManager.clear();
    AssetManager::instance().reset();
    useDesignView();
}
