// Whole desktop runs: a paced run writes its last frame as a screenshot (the
// title menu, right side up, on the sky), and a screenshot that cannot be
// written fails the run.
#include <gtest/gtest.h>
#include <stb_image.h>

#include "TestWorld.h"
#include "app/RunOptions.h"
#include "platform/Desktop.h"

namespace vw::test {
namespace {

TEST(DesktopRun, ARunWritesItsLastFrameAsAScreenshotAndFailsWhenItCannot) {
  TestWorld world;
  RunOptions o;
  o.dataDir = world.dir;
  o.seed = 3;
  o.frames = 4;
  o.screenshot = world.dir / "shot.png";
  testing::internal::CaptureStderr();
  EXPECT_EQ(runDesktop(o), 0);
  std::string err = testing::internal::GetCapturedStderr();
  // The test world has no window icon: one warning, and the game goes on.
  EXPECT_NE(err.find("icon.png: cannot load the window icon"), std::string::npos) << err;
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load(o.screenshot.string().c_str(), &w, &h, &n, 4);
  ASSERT_TRUE(pixels);
  const Picture shot{std::vector<std::uint8_t>(pixels, pixels + static_cast<std::size_t>(w) * h * 4), w, h};
  stbi_image_free(pixels);
  EXPECT_EQ(shot.width, 1000);
  EXPECT_EQ(shot.height, 800);
  EXPECT_EQ(shot.at(150, 700), kBanner);
  EXPECT_EQ(shot.at(900, 60), kSky);

  o.screenshot = world.dir / "no-such-folder" / "shot.png";
  testing::internal::CaptureStderr();
  EXPECT_EQ(runDesktop(o), 1);
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("shot.png: cannot write the screenshot"), std::string::npos) << err;
}

}  // namespace
}  // namespace vw::test
