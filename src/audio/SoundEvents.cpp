#include "audio/SoundEvents.h"

#include <algorithm>
#include <cmath>

#include "app/KeyCodes.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"

namespace vw {

namespace {

constexpr int kCameraBand = 1000;      // the width the element updates use for "near the camera"
constexpr int kLandingAirtime = 4;     // updates in the air before touching down is a landing
constexpr float kJumpKick = 300;       // a rise in vertical speed this large in one update is a jump
constexpr float kHalfHearing = 300;    // world units at which a sound is at half loudness
constexpr float kPanWidth = 500;       // world units from the player to the pan's limit
constexpr float kMaxWheelSpin = 1000000;

bool jumpKeyPressed(const KeyArray& now, const KeyArray& before) {
  return (now[Key::W] && !before[Key::W]) || (now[Key::Space] && !before[Key::Space]);
}

bool umbrellaOpen(const Player& player) { return player.getGravityDivisor() >= 5.0f && !player.isOnGround(); }

// The distance from p to the rectangle (0 inside it).
float distanceToRect(Vec3 p, float left, float right, float bottom, float top) {
  float dx = std::max({left - p.x, 0.0f, p.x - right});
  float dy = std::max({bottom - p.y, 0.0f, p.y - top});
  return std::sqrt(dx * dx + dy * dy);
}

float panFrom(const Player& player, float x) {
  return std::clamp((x - player.getPosition().x) / kPanWidth, -0.8f, 0.8f);
}

// How loud an element is at the player: nothing outside the camera band,
// else softer with distance. A steam jet is heard along its whole column.
float elementGain(const Game& game, const PuzzleElement& element) {
  if (!element.isNearCamera(game.cameraEye, kCameraBand)) return 0;
  Vec3 c = element.getPosition();
  Vec3 p = game.player->getPosition();
  if (element.getType() == PuzzleElementType::Steamjet) {
    const auto& jet = static_cast<const Steamjet&>(element);
    float half = jet.getAreaWidth() / 2;
    return distanceGain(distanceToRect(p, c.x - half, c.x + half, c.y, c.y + jet.getAreaHeight()));
  }
  float w = element.getWidth() / 2;
  float h = element.getHeight() / 2;
  return distanceGain(distanceToRect(p, c.x - w, c.x + w, c.y - h, c.y + h));
}

// 0 to 1 for a wheel's spin, on a log scale from the stopping spin (10) to the cap.
float spinLevel(float spin) {
  if (spin <= 10) return 0;
  return std::clamp(std::log10(spin / 10) / std::log10(kMaxWheelSpin / 10), 0.0f, 1.0f);
}

SoundEvent event(SoundEventType type, std::size_t index = 0, float gain = 1, float pan = 0) {
  SoundEvent e;
  e.type = type;
  e.index = index;
  e.gain = gain;
  e.pan = pan;
  return e;
}

}  // namespace

float distanceGain(float distance) {
  float d = std::max(distance, 0.0f) / kHalfHearing;
  return 1.0f / (1.0f + d * d);
}

std::vector<SoundEvent> SoundEvents::observe(const Game& game) {
  std::vector<SoundEvent> out;
  if (game.keysHeld[Key::M] && !keys_[Key::M]) out.push_back(event(SoundEventType::MuteToggled));
  if (!game.player || !game.ui) {
    keys_ = game.keysHeld;
    return out;
  }
  if (seen_) {
    observeScreen(game, out);
    // A restart rebuilds every object: the old memory says nothing about the new world.
    bool restarted = (state_ == GameState::Paused && game.gameState == GameState::Menu) || !isSameWorld(game);
    if (restarted) {
      elements_.clear();
      blocks_.clear();
      player_ = nullptr;
    } else if (state_ == GameState::Playing) {
      observePlayer(game, out);
      observeBlocks(game, out);
      observeElements(game, out);
    }
  }
  remember(game);
  reportLoops(game, out);
  seen_ = true;
  return out;
}

bool SoundEvents::isSameWorld(const Game& game) const {
  return player_ == game.player.get() && blocks_.size() == game.mapElements.size() &&
         elements_.size() == game.puzzleElements.size();
}

void SoundEvents::observeScreen(const Game& game, std::vector<SoundEvent>& out) const {
  GameState now = game.gameState;
  if (state_ == GameState::Playing && now == GameState::Paused) out.push_back(event(SoundEventType::Paused));
  if (state_ == GameState::Paused && now == GameState::Playing) out.push_back(event(SoundEventType::Unpaused));
  bool click = (state_ == GameState::Menu && now == GameState::Playing) ||
               (state_ == GameState::Paused && now == GameState::Menu);
  const GameMenu& ui = *game.ui;
  if (ui.instructionsShown != menu_.instructions || ui.creditsShown != menu_.credits) click = true;
  if (ui.isWaterIconSelected() != menu_.water || ui.isSteamIconSelected() != menu_.steam ||
      ui.isIceIconSelected() != menu_.ice) {
    click = true;
  }
  if (player_ == game.player.get() && game.player->getPower() != playerMemory_.power) click = true;
  if (click) out.push_back(event(SoundEventType::MenuClick));
}

void SoundEvents::observePlayer(const Game& game, std::vector<SoundEvent>& out) const {
  const Player& player = *game.player;
  const PlayerMemory& before = playerMemory_;
  float vy = player.getVelocity().y;
  if (jumpKeyPressed(game.keysHeld, keys_) && vy - before.verticalSpeed > kJumpKick) {
    out.push_back(event(SoundEventType::Jump));
  }
  if (umbrellaOpen(player) && !before.umbrella) out.push_back(event(SoundEventType::UmbrellaOpened));
  if (player.isOnGround() && !before.onGround && airborne_ >= kLandingAirtime) {
    SoundEvent landed = event(SoundEventType::Landed);
    landed.gain = std::clamp(0.35f + std::abs(before.verticalSpeed) / 450.0f, 0.35f, 1.0f);
    out.push_back(landed);
  }
}

void SoundEvents::observeBlocks(const Game& game, std::vector<SoundEvent>& out) const {
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    BlockState before = blocks_[i];
    BlockState now = game.mapElements[i]->getState();
    if (now == before) continue;
    if (now == BlockState::Frozen) {
      out.push_back(event(SoundEventType::BlockFrozen, i));
    } else if (before == BlockState::Frozen) {
      out.push_back(event(SoundEventType::BlockThawed, i));
    } else if (now == BlockState::Wet) {
      out.push_back(event(SoundEventType::BlockWetted, i));
    }
  }
}

void SoundEvents::observeElements(const Game& game, std::vector<SoundEvent>& out) const {
  const Player& player = *game.player;
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    const PuzzleElement& element = *game.puzzleElements[i];
    const ElementMemory& before = elements_[i];
    if (element.getType() != before.type) continue;
    float gain = elementGain(game, element);
    float pan = panFrom(player, element.getPosition().x);
    switch (element.getType()) {
      case PuzzleElementType::Btn:
        if (element.isActive() && !before.active) out.push_back(event(SoundEventType::ButtonPressed, i, gain, pan));
        if (!element.isActive() && before.active) out.push_back(event(SoundEventType::ButtonReleased, i, gain, pan));
        break;
      case PuzzleElementType::RisingDoor: {
        bool moving = doorMoving(game, i);
        if (moving && !before.moving) out.push_back(event(SoundEventType::DoorStarted, i, gain, pan));
        if (!moving && before.moving) out.push_back(event(SoundEventType::DoorStopped, i, gain, pan));
        break;
      }
      case PuzzleElementType::TrapDoor: {
        int row = element.getAnimation();
        bool swinging = row == 1 && (before.animation != 1 || element.frameStep != before.frameStep);
        if (swinging) out.push_back(event(SoundEventType::TrapDoorSwing, i, gain, pan));
        if (row != 1 && before.animation == 1) out.push_back(event(SoundEventType::TrapDoorSettled, i, gain, pan));
        break;
      }
      default:
        break;
    }
  }
}

bool SoundEvents::doorMoving(const Game& game, std::size_t index) const {
  if (index >= elements_.size() || elements_[index].type != PuzzleElementType::RisingDoor) return false;
  const PuzzleElement& element = *game.puzzleElements[index];
  if (element.getType() != PuzzleElementType::RisingDoor) return false;
  const auto& door = static_cast<const RisingDoor&>(element);
  // An update that did not play through (menu, pause, lost focus) says
  // nothing about the doors: they keep what they were doing.
  if (state_ != GameState::Playing || game.gameState != GameState::Playing) return elements_[index].moving;
  return door.getProgress() != elements_[index].progress;
}

void SoundEvents::remember(const Game& game) {
  const bool same = isSameWorld(game);
  std::vector<ElementMemory> elements;
  elements.reserve(game.puzzleElements.size());
  for (std::size_t i = 0; i < game.puzzleElements.size(); ++i) {
    const PuzzleElement& element = *game.puzzleElements[i];
    ElementMemory m;
    m.type = element.getType();
    m.active = element.isActive();
    m.animation = element.getAnimation();
    m.frameStep = element.frameStep;
    if (m.type == PuzzleElementType::RisingDoor) {
      m.progress = static_cast<const RisingDoor&>(element).getProgress();
      m.moving = same && doorMoving(game, i);
    }
    elements.push_back(m);
  }
  elements_ = std::move(elements);
  blocks_.resize(game.mapElements.size());
  for (std::size_t i = 0; i < blocks_.size(); ++i) blocks_[i] = game.mapElements[i]->getState();

  const Player& player = *game.player;
  airborne_ = player.isOnGround() ? 0 : airborne_ + 1;
  if (player_ != game.player.get()) airborne_ = 0;
  player_ = game.player.get();
  playerMemory_ = {player.isOnGround(), umbrellaOpen(player), player.getVelocity().y, player.getPower()};

  const GameMenu& ui = *game.ui;
  menu_ = {ui.instructionsShown, ui.creditsShown, ui.isWaterIconSelected(), ui.isSteamIconSelected(),
           ui.isIceIconSelected()};
  state_ = game.gameState;
  keys_ = game.keysHeld;
}

void SoundEvents::reportLoops(const Game& game, std::vector<SoundEvent>& out) const {
  if (game.gameState != GameState::Playing) return;
  const Player& player = *game.player;
  SoundEvent spray = event(SoundEventType::SprayLoop, 0, player.getEmitter().isEmitting() ? 1.0f : 0.0f);
  spray.power = player.getEmitter().getSprayKind();
  out.push_back(spray);
  for (std::size_t i = 0; i < game.puzzleElements.size(); ++i) {
    const PuzzleElement& element = *game.puzzleElements[i];
    float pan = panFrom(player, element.getPosition().x);
    switch (element.getType()) {
      case PuzzleElementType::Steamjet: {
        const auto& jet = static_cast<const Steamjet&>(element);
        float gain = jet.getEmitter().isEmitting() ? elementGain(game, element) : 0.0f;
        out.push_back(event(SoundEventType::JetLoop, i, gain, pan));
        break;
      }
      case PuzzleElementType::WaterWheel: {
        const auto& wheel = static_cast<const WaterWheel&>(element);
        float level = wheel.isActive() ? spinLevel(wheel.getSpinMagnitude()) : 0.0f;
        SoundEvent e = event(SoundEventType::WheelLoop, i, level * elementGain(game, element), pan);
        e.pitch = 0.7f + 0.6f * level;
        out.push_back(e);
        break;
      }
      case PuzzleElementType::RisingDoor: {
        bool moving = i < elements_.size() && elements_[i].moving;
        out.push_back(event(SoundEventType::DoorLoop, i, moving ? elementGain(game, element) : 0.0f, pan));
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace vw
