#include "core/Game.hpp"

int main() {
    Game::instance().run();
    return 0;
}
