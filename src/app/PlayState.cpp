#include "app/PlayState.h"

#include "puzzle/MovingBlock.h"
#include "puzzle/Steamjet.h"

namespace vw {

namespace {

// Where each sprite of the source world stands in the copied one.
class WorldMap {
 public:
  WorldMap(const PlayState& from, const PlayState& to) : from_(from), to_(to) {}

  // Contacts and links are few and short-lived: a search by index is enough.
  Sprite* operator()(const Sprite* old) const {
    if (old == nullptr) return nullptr;
    if (old == from_.player.get()) return to_.player.get();
    for (std::size_t i = 0; i < from_.puzzleElements.size(); ++i) {
      if (from_.puzzleElements[i].get() == old) return to_.puzzleElements[i].get();
    }
    for (std::size_t i = 0; i < from_.mapElements.size(); ++i) {
      if (from_.mapElements[i].get() == old) return to_.mapElements[i].get();
    }
    return nullptr;
  }
  PuzzleElement* element(const PuzzleElement* old) const { return static_cast<PuzzleElement*>((*this)(old)); }

 private:
  const PlayState& from_;
  const PlayState& to_;
};

template <class T>
std::unique_ptr<T> copyOf(const std::unique_ptr<T>& p) {
  return p ? std::make_unique<T>(*p) : nullptr;
}

}  // namespace

const char* gameStateName(GameState state) {
  switch (state) {
    case GameState::Menu: return "Menu";
    case GameState::Playing: return "Playing";
    case GameState::Paused: return "Paused";
    case GameState::Ending: return "Ending";
  }
  return "Menu";
}

PlayState::PlayState(const PlayState& other) : PlayValues(other) { copyWorld(other); }

PlayState& PlayState::operator=(const PlayState& other) {
  if (this != &other) {
    PlayValues::operator=(other);
    copyWorld(other);
  }
  return *this;
}

PlayState::PlayState(PlayState&& other) noexcept
    : PlayValues(std::move(other)),
      player(std::move(other.player)),
      arm(std::move(other.arm)),
      background(std::move(other.background)),
      ui(std::move(other.ui)),
      mapElements(std::move(other.mapElements)),
      puzzleElements(std::move(other.puzzleElements)) {
  drawFromOwnRandom();
}

PlayState& PlayState::operator=(PlayState&& other) noexcept {
  PlayValues::operator=(std::move(other));
  player = std::move(other.player);
  arm = std::move(other.arm);
  background = std::move(other.background);
  ui = std::move(other.ui);
  mapElements = std::move(other.mapElements);
  puzzleElements = std::move(other.puzzleElements);
  drawFromOwnRandom();
  return *this;
}

PlayState::~PlayState() = default;

void PlayState::copyWorld(const PlayState& from) {
  mapElements.clear();
  puzzleElements.clear();
  for (const auto& block : from.mapElements) mapElements.push_back(block->clone());
  for (const auto& element : from.puzzleElements) puzzleElements.push_back(element->cloneElement());
  arm = copyOf(from.arm);
  player = copyOf(from.player);
  background = copyOf(from.background);
  ui = copyOf(from.ui);
  const WorldMap map(from, *this);
  const SpriteMap remap = [&map](const Sprite* old) { return map(old); };
  if (player) player->relink(arm.get(), random, remap);
  for (auto& element : puzzleElements) {
    element->setController(map.element(element->getController()));
    element->setTarget(map.element(element->getTarget()));
    if (element->getType() == PuzzleElementType::MovingBlock) static_cast<MovingBlock&>(*element).relinkContacts(remap);
  }
  drawFromOwnRandom();
}

void PlayState::drawFromOwnRandom() {
  if (player) player->getEmitter().setRandom(random);
  for (auto& element : puzzleElements) {
    if (element->getType() == PuzzleElementType::Steamjet) static_cast<Steamjet&>(*element).getEmitter().setRandom(random);
  }
}

}  // namespace vw
