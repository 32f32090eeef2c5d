#include "states/ResultBoard.hpp"

#include <algorithm>

#include "objects/GameNames.hpp"

namespace {
const sf::Vector2f kNewestPositions[ResultBoard::kNewestShown] = {{750.0f, 340.0f},
                                                                  {1200.0f, 340.0f}};
constexpr float kBestRowY = 690.0f;
constexpr float kBestSpacing = 300.0f;
}  // namespace

std::vector<ResultBoard::Spot> ResultBoard::arrange(const std::vector<LeaderboardEntry>& entries) {
    std::vector<Spot> spots;
    // The last line is the player who left the race last.
    for (std::size_t k = 1; k <= std::min(kNewestShown, entries.size()); ++k) {
        const int index = -static_cast<int>(k);
        spots.push_back({GameNames::racerId(index), index, kNewestPositions[k - 1],
                         entries[entries.size() - k]});
    }
    std::vector<LeaderboardEntry> best = entries;
    // Equal scores keep their file order, so the board does not shuffle between visits.
    std::stable_sort(best.begin(), best.end(),
                     [](const auto& a, const auto& b) { return a.score > b.score; });
    for (std::size_t k = 1; k <= std::min(kBestShown, best.size()); ++k) {
        const int index = static_cast<int>(k);
        spots.push_back({GameNames::racerId(index),
                         index,
                         {kBestSpacing * static_cast<float>(k), kBestRowY},
                         best[k - 1]});
    }
    return spots;
}
