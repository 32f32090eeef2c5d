#include "components/CameraRenderComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "objects/GameNames.hpp"
#include "objects/GameObject.hpp"
#include "platform/DesignView.hpp"

namespace {
const sf::FloatRect kLeftHalf(0.0f, 0.0f, 0.5f, 1.0f);
const sf::FloatRect kRightHalf(0.5f, 0.0f, 0.5f, 1.0f);
}  // namespace

CameraRenderComponent::CameraRenderComponent(std::shared_ptr<GameObject> gameObject,
                                             sf::RenderWindow& renderWindow, sf::View view)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_view(view),
      m_offset(view.getCenter()) {}

void CameraRenderComponent::update(float /*frameSeconds*/) {
    m_view.setCenter(m_gameObject->getTransform().transformPoint(m_offset));
    m_renderWindow.setView(m_view);
}

// Player 2 sits on the left of the keyboard (A and D), so its picture is on the left too. The
// halves are those of the design screen as the window shows it.
void CameraRenderComponent::applyViewport() {
    const sf::FloatRect& half =
        GameNames::isLeftHalfCamera(m_gameObject->getId()) ? kLeftHalf : kRightHalf;
    m_view.setViewport(DesignView::viewport(half, m_renderWindow.getSize()));
    m_renderWindow.setView(m_view);
}
