#include "NeedsObserver.h"

#include "app/Game.h"

namespace vw {

namespace {

int indexOfLine(const std::vector<SourceLine>& sources, int line) {
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (sources[i].line == line) return static_cast<int>(i);
  }
  return -1;
}

// The spray of that power is on: this update's particles leave the arm.
bool isSprayedBy(const ParticleEmitter& emitter, Power power) {
  return emitter.isEmitting() && emitter.getSprayKind() == power;
}

}  // namespace

std::optional<NeedsObserver> NeedsObserver::bind(const Needs& needs, const LoadedWorld& world, std::string& error) {
  NeedsObserver observer;
  for (const Need& need : needs.needs) {
    Watch watch{need, -1, false};
    const bool onOff = need.kind == NeedKind::On || need.kind == NeedKind::Off;
    const bool surface = need.kind == NeedKind::Wet || need.kind == NeedKind::Frozen;
    if (onOff || surface) {
      watch.index = indexOfLine(world.elementSources, need.puzzleLine);
      watch.isElement = watch.index >= 0;
      // A block's surface may also be a box's (a box freezes like a block).
      if (surface && watch.index < 0) watch.index = indexOfLine(world.blockSources, need.puzzleLine);
      if (watch.index < 0) {
        error = needs.file + ":" + std::to_string(need.line) + ": line " + std::to_string(need.puzzleLine) +
                " of the puzzle holds no " + (onOff ? "puzzle element" : "block");
        return std::nullopt;
      }
    }
    observer.watches_.push_back(watch);
  }
  return observer;
}

NeedMask NeedsObserver::all() const {
  return watches_.size() >= 64 ? ~NeedMask{0} : (NeedMask{1} << watches_.size()) - 1;
}

void NeedsObserver::observe(const Game& game) {
  if (game.gameState != GameState::Playing || !game.player) return;
  for (std::size_t i = 0; i < watches_.size(); ++i) {
    const NeedMask bit = NeedMask{1} << i;
    if (!(met_ & bit) && meets(watches_[i], game)) met_ |= bit;
  }
}

bool NeedsObserver::meets(const Watch& watch, const Game& game) const {
  const auto index = static_cast<std::size_t>(watch.index);
  const MapElement* block = nullptr;
  if (watch.index >= 0) {
    if (watch.isElement) {
      if (index >= game.puzzleElements.size()) return false;
      block = game.puzzleElements[index].get();
    } else {
      if (index >= game.mapElements.size()) return false;
      block = game.mapElements[index].get();
    }
  }
  switch (watch.need.kind) {
    case NeedKind::Sprayed: return isSprayedBy(game.player->getEmitter(), watch.need.power);
    case NeedKind::Umbrella: return game.player->isUmbrellaOpen();
    case NeedKind::On: return static_cast<const PuzzleElement*>(block)->isActive();
    case NeedKind::Off: return !static_cast<const PuzzleElement*>(block)->isActive();
    case NeedKind::Wet: return block->getState() == BlockState::Wet;
    case NeedKind::Frozen: return block->getState() == BlockState::Frozen;
  }
  return false;
}

std::vector<std::string> NeedsObserver::unmet() const {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < watches_.size(); ++i) {
    if (!(met_ & (NeedMask{1} << i))) out.push_back(watches_[i].need.text());
  }
  return out;
}

}  // namespace vw
