#include "app/GameSnapshot.h"

#include "app/Game.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/Steamjet.h"

namespace vw {

namespace {

// Where each sprite of the source world stands in the copied one.
class WorldMap {
 public:
  WorldMap(const MapList& fromBlocks, const ElementList& fromElements, const Sprite* fromPlayer,
           const MapList& toBlocks, const ElementList& toElements, Sprite* toPlayer)
      : fromBlocks_(fromBlocks),
        fromElements_(fromElements),
        fromPlayer_(fromPlayer),
        toBlocks_(toBlocks),
        toElements_(toElements),
        toPlayer_(toPlayer) {}

  // Contacts and links are few and short-lived: a search by index is enough.
  Sprite* operator()(const Sprite* old) const {
    if (old == nullptr) return nullptr;
    if (old == fromPlayer_) return toPlayer_;
    for (std::size_t i = 0; i < fromElements_.size(); ++i) {
      if (fromElements_[i].get() == old) return toElements_[i].get();
    }
    for (std::size_t i = 0; i < fromBlocks_.size(); ++i) {
      if (fromBlocks_[i].get() == old) return toBlocks_[i].get();
    }
    return nullptr;
  }
  PuzzleElement* element(const PuzzleElement* old) const { return static_cast<PuzzleElement*>((*this)(old)); }

 private:
  const MapList& fromBlocks_;
  const ElementList& fromElements_;
  const Sprite* fromPlayer_;
  const MapList& toBlocks_;
  const ElementList& toElements_;
  Sprite* toPlayer_;
};

template <class T>
std::unique_ptr<T> copyOf(const std::unique_ptr<T>& p) {
  return p ? std::make_unique<T>(*p) : nullptr;
}

// Clones the world of `from` into `to` and points every copied link, contact,
// arm and generator at `to`'s own.
template <class From, class To>
void copyWorld(const From& from, To& to) {
  to.mapElements.clear();
  to.puzzleElements.clear();
  for (const auto& block : from.mapElements) to.mapElements.push_back(block->clone());
  for (const auto& element : from.puzzleElements) to.puzzleElements.push_back(element->cloneElement());
  to.arm = copyOf(from.arm);
  to.player = copyOf(from.player);
  const WorldMap map(from.mapElements, from.puzzleElements, from.player.get(), to.mapElements, to.puzzleElements,
                     to.player.get());
  const SpriteMap remap = [&map](const Sprite* old) { return map(old); };
  if (to.player) to.player->relink(to.arm.get(), to.random, remap);
  for (auto& element : to.puzzleElements) {
    element->setController(map.element(element->getController()));
    element->setTarget(map.element(element->getTarget()));
    if (element->getType() == PuzzleElementType::MovingBlock) static_cast<MovingBlock&>(*element).relinkContacts(remap);
    if (element->getType() == PuzzleElementType::Steamjet) static_cast<Steamjet&>(*element).getEmitter().setRandom(to.random);
  }
}

// Every field an update changes, from `from` into `to`.
template <class From, class To>
void copyPlayState(const From& from, To& to) {
  to.gameState = from.gameState;
  to.random = from.random;
  copyWorld(from, to);
  to.background = copyOf(from.background);
  to.ui = copyOf(from.ui);
  to.keysHeld = from.keysHeld;
  to.keysHeldPrevious = from.keysHeldPrevious;
  to.levelWidth = from.levelWidth;
  to.backgroundMinX = from.backgroundMinX;
  to.backgroundTravel = from.backgroundTravel;
  to.cameraEye = from.cameraEye;
  to.cameraTarget = from.cameraTarget;
  to.cameraUp = from.cameraUp;
  to.viewMatrix = from.viewMatrix;
  to.projectionMatrix = from.projectionMatrix;
  to.viewProj = from.viewProj;
  to.sharedText.lines = from.sharedText.lines;
  to.framesPerSecond = from.framesPerSecond;
  to.frame = from.frame;
  to.showFrameRate = from.showFrameRate;
  to.quitRequested = from.quitRequested;
  to.puzzles = from.puzzles;
  to.winLine = from.winLine;
  to.currentPuzzle = from.currentPuzzle;
  to.savedPuzzle = from.savedPuzzle;
  to.playTime = from.playTime;
  to.retries = from.retries;
  to.endingTime = from.endingTime;
  to.leftButtonPrevious = from.leftButtonPrevious;
}

}  // namespace

GameSnapshot Game::snapshot() const {
  GameSnapshot saved;
  copyPlayState(*this, saved);
  saved.input = input;
  saved.input.setDevices(nullptr);
  return saved;
}

void Game::restore(const GameSnapshot& saved) {
  copyPlayState(saved, *this);
  InputDevices* devices = input.devices();
  input = saved.input;
  input.setDevices(devices);
}

}  // namespace vw
