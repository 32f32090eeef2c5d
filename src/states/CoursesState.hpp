#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "assets/CourseCatalogue.hpp"
#include "assets/ScreenTexts.hpp"
#include "core/GameState.hpp"

class LayerComponent;

// The courses on offer: "CoursesScreenMap.tmx" (its frame, its back and page buttons) with one
// entry per course of this page over it, showing the course's name, its description and its
// best score. A click on an entry races that course. A course that cannot be raced is greyed,
// with the reason, and takes no clicks. The words the screen makes up are the map's properties
// (see ScreenTexts); its "PageLabel" text shows "{page}" of "{pages}".
class CoursesState : public GameState {
public:
    static constexpr const char* kMapFile = "CoursesScreenMap.tmx";
    static constexpr std::size_t kPerPage = 5;
    // The entries' place on the design screen: the first one's top-left corner, their size and
    // the distance from one to the next.
    static constexpr float kLeft = 320.0f;
    static constexpr float kTop = 196.0f;
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 112;
    static constexpr float kStep = 136.0f;

    CoursesState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

    const std::vector<RaceCourse>& getCourses() const { return m_courses; }
    std::size_t getPage() const { return m_page; }
    std::size_t pageCount() const;

private:
    // The map and this page's entries; what was shown before goes.
    void showPage();
    void addEntry(LayerComponent& layer, std::size_t index);
    std::string bestScoreText(const RaceCourse& course) const;
    // Why the course is greyed, in the screen's words.
    std::string problemText(const RaceCourse& course) const;
    void showPageNumber();

    std::vector<RaceCourse> m_courses;
    std::size_t m_page = 0;
    // What the buttons asked for in this frame, done once every object has been updated.
    std::optional<std::size_t> m_chosen;
    // Shared with the page buttons' actions, which outlive no screen: they hold it weakly.
    std::shared_ptr<int> m_pageStep = std::make_shared<int>(0);
    ScreenTexts m_texts;
    sf::Font m_font;
    sf::View m_view;
};
