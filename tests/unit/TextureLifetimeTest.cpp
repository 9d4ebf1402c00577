// A game frees every texture it made when it goes: the editor builds a new
// game for every play-test on one graphics context, which must not fill up.
#include <gtest/gtest.h>

#include <set>

#include "app/Game.h"
#include "support/TestGame.h"

namespace vw {
namespace {

// Counts the textures alive; freeing one that is not alive is a fault.
class CountingContext : public NullRenderContext {
 public:
  bool wantsPixels() const override { return true; }
  TextureId createTexture(int, int, const std::uint8_t*) override {
    live.insert(++made);
    return made;
  }
  void destroyTexture(TextureId texture) override {
    if (live.erase(texture) == 0) ++badFrees;
  }
  std::set<TextureId> live;
  TextureId made = 0;
  int badFrees = 0;
};

TEST(TextureLifetime, EveryGameFreesWhatItMadeOnce) {
  CountingContext context;
  test::ScriptedDevices devices;
  for (int playTest = 0; playTest < 3; ++playTest) {
    {
      Game game(context, devices, {test::testData("game"), 3, nullptr});
      Diagnostics diagnostics;
      ASSERT_TRUE(game.startUp(diagnostics));
      EXPECT_GT(context.live.size(), 1u);
    }
    EXPECT_TRUE(context.live.empty()) << context.live.size() << " textures left after game " << playTest;
    EXPECT_EQ(context.badFrees, 0);
  }
}

}  // namespace
}  // namespace vw
