// What the world shows of how it works: the link markers on both ends of a
// link, and the steam jet's vent, shut or open.
#include <gtest/gtest.h>

#include <map>

#include "puzzle/Steamjet.h"
#include "support/TestGame.h"

namespace vw {
namespace {

using test::StripGame;

// The elements of the second puzzle (b.txt), in file order: the first
// puzzle has none, so they lead the game's list.
enum Element { Jet, Box, Door, FirstButton, SecondButton, BoxButton, ElementCount };

// What a frame draws: the colour and lamp of every marker, from the quads'
// sheet cells, and the sheet row of every vent.
struct Drawn {
  std::multimap<int, bool> markers;
  std::vector<float> vents;
};

Drawn drawn(StripGame& s) {
  s.context.draws.clear();
  renderFrame(s.game, s.context);
  Drawn out;
  for (const auto& q : s.context.quads()) {
    if (q.state.texture == s.game.textures.get("LINKMARK")) {
      out.markers.emplace(static_cast<int>(q.state.uvOffset.x * kLinkColorCount + 0.5f), q.state.uvOffset.y > 0.25f);
    }
    if (q.state.texture == s.game.textures.get("VENT")) out.vents.push_back(q.state.uvOffset.y);
  }
  return out;
}

// Link markers light while the switch is on; every jet draws its vent shut
// when off and open when on.
TEST(LinkMarkers, BothEndsShareAColourAndLightWhileTheSwitchIsOnAndTheVentOpens) {
  StripGame s;
  s.click(test::kStartGamePixel);
  auto& b = s.game.puzzleElements;
  s.putPlayerAt(Vec3(s.puzzleLeft(1) + 600, 100, 0));
  s.game.placeCamera(s.puzzleLeft(1) + 500, 100);  // the jet, the box and the three buttons in view
  s.run();
  ASSERT_EQ(b.size(), static_cast<std::size_t>(ElementCount) + 1);  // and the third puzzle's box
  // Both ends of a link share a colour, distinct within the puzzle; two
  // switches of one target share it too.
  const int jet = b[Jet]->getLinkColor();
  const int box = b[Box]->getLinkColor();
  EXPECT_NE(jet, box);
  Drawn d = drawn(s);
  EXPECT_EQ(d.markers.count(jet), 3u);
  EXPECT_EQ(d.markers.count(box), 2u);
  EXPECT_EQ(b[Door]->getLinkColor(), kNoLinkColor) << "an element with no link carries no marker";
  // The third puzzle's box switches nothing and is switched by nothing.
  EXPECT_EQ(s.game.puzzleElements.back()->getLinkColor(), kNoLinkColor);
  for (const auto& [colour, lit] : d.markers) EXPECT_FALSE(lit) << colour;
  ASSERT_FALSE(b[Jet]->isActive()) << "b.txt loads the jet switched off";
  EXPECT_EQ(d.vents, std::vector<float>{0.0f}) << "a switched-off jet shows its shut vent";

  // Pressed: its lamp and its jet's lamp light (a jet with two switches
  // shows the state of the later one in the file, its controller).
  b[SecondButton]->activate();
  EXPECT_TRUE(b[SecondButton]->isLinkLit());
  EXPECT_TRUE(b[Jet]->isLinkLit());
  EXPECT_FALSE(b[FirstButton]->isLinkLit());
  EXPECT_FALSE(b[Box]->isLinkLit());
  d = drawn(s);
  int litJetLamps = 0;
  for (auto [it, end] = d.markers.equal_range(jet); it != end; ++it) litJetLamps += it->second ? 1 : 0;
  EXPECT_EQ(litJetLamps, 2);
  for (auto [it, end] = d.markers.equal_range(box); it != end; ++it) EXPECT_FALSE(it->second);
  ASSERT_TRUE(b[Jet]->isActive()) << "the button switched its jet on";
  EXPECT_EQ(d.vents, std::vector<float>{0.5f});
  // The jet's bounds stay its steam column, not the vent.
  const auto& steamjet = static_cast<const Steamjet&>(*b[Jet]);
  EXPECT_FLOAT_EQ(steamjet.getBounds().top - steamjet.getBounds().bottom, steamjet.getAreaHeight());
}

}  // namespace
}  // namespace vw
