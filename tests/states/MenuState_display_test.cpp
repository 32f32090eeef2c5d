#include "states/MenuState.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/RenderWindow.hpp>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

class MenuStateDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.create(sf::VideoMode(64, 48), "menu", sf::Style::None);
        AssetManager::instance().setRenderWindow(&window);
    }

    void TearDown() override {
        menu.exit();
        AssetManager::instance().setRenderWindow(nullptr);
    }

    ScratchGameDir game;
    sf::RenderWindow window;
    MenuState menu{nullptr, nullptr};
};

TEST_F(MenuStateDisplayTest, IsBuiltFromTheTitleMapAndLetsGoOfItOnExit) {
    game.writeAsset("TitleScreenMap.tmx",
                    "<map width='1' height='1' tilewidth='16' tileheight='16'>"
                    "<layer name='Back' width='1' height='1'><data>0</data></layer>"
                    "<layer name='Front' width='1' height='1'><data>0</data></layer></map>");
    const sf::View zoomed(sf::FloatRect(0.f, 0.f, 32.f, 24.f));
    window.setView(zoomed);
    menu.init();
    const auto& registered = menu.getGameObjectManager().getGameObjects();
    ASSERT_EQ(registered.size(), 1u);
    const auto map = registered.at("map");
    EXPECT_EQ(map->getComponents<LayerComponent>().size(), 2u);

    // Every frame starts from the view the screen was built with.
    window.setView(window.getDefaultView());
    menu.update(0.1f);
    EXPECT_EQ(window.getView().getSize(), zoomed.getSize());

    menu.exit();
    EXPECT_TRUE(registered.empty() && map->getComponentList().empty());
    EXPECT_TRUE(AssetManager::instance().getLayers().empty());
    EXPECT_EQ(window.getView().getSize(), sf::Vector2f(1920.f, 1080.f));
}

TEST_F(MenuStateDisplayTest, AMissingTitleMapLeavesAnEmptyScreen) {
    ErrCapture err;
    menu.init();
    menu.update(0.1f);
    menu.draw();
    EXPECT_EQ(err.text(), "loadMap: could not open file ../assets/TitleScreenMap.tmx\n");
    EXPECT_TRUE(menu.getGameObjectManager().getGameObjects().empty());
}

}  // namespace
