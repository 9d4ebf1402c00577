#pragma once
// The heaviest play scene of a data directory, for the benchmarks: the
// camera where its band holds the most steam jets, every jet in the band on
// and full, and the player spraying a full emitter of one power. The player
// hovers high above the strip (put back every update), so none of its spray
// is spent on a block and its emitter stays full as well.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Game.h"
#include "puzzle/Steamjet.h"

namespace vw::bench {

// Devices holding the left button with the cursor at the top centre of the
// screen: the player sprays straight up.
class SprayDevices : public InputDevices {
 public:
  PollResult pollKeyboard(KeyArray& keys) override {
    keys.fill(0);
    return PollResult::Ok;
  }
  PollResult pollMouse(MouseState& mouse) override {
    mouse = MouseState{};
    mouse.buttons[0] = 0x80;
    return PollResult::Ok;
  }
  Vec2 cursorPosition() const override { return Vec2(500, 0); }
  Vec2 clientSize() const override { return Vec2(1000, 800); }
};

// The camera x whose band (Sprite::isNearCamera) holds the most jets; ties
// go to the band with the larger total capacity. jetCount is 0 when the
// strip has no jet.
float busiestJetCameraX(const ElementList& elements, int& jetCount);

class JetScene {
 public:
  // Starts the game on dataDir; check error() afterwards.
  explicit JetScene(const std::filesystem::path& dataDir);

  // Switches to playing, places camera and player, picks the power and runs
  // updates until every emitter in the band is full. False (with error())
  // when that does not happen within a bound.
  bool enter(Power power);
  // One playing update, the player put back at its hover point first.
  void update();
  // One frame drawn with the camera over the jets, so all their steam is in
  // view (the player's spray, far above, is then off screen).
  void render();

  const std::string& error() const { return error_; }
  int jetsInBand() const { return static_cast<int>(jets_.size()); }
  std::size_t jetParticles() const;
  std::size_t playerParticles() const { return game_.player->getEmitter().count(); }
  int warmUpdates() const { return warmUpdates_; }
  // How many of the jets' sprays reach into the view render() draws.
  int jetsInView() const { return jetsInView_; }
  bool full() const;

 private:
  void frameJets();

  NullRenderContext context_;
  SprayDevices devices_;
  Game game_;
  std::vector<Steamjet*> jets_;
  Vec3 hover_{0};
  int warmUpdates_ = 0;
  Matrix jetViewProj_{1.0f};
  int jetsInView_ = 0;
  std::string error_;
};

}  // namespace vw::bench
