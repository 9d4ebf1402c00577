// Whole desktop runs: start-up, a paced run with a screenshot, start-up
// failures, and the devices' focus rules.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdlib>

#include "TestWorld.h"
#include "app/RunOptions.h"
#include "platform/Desktop.h"
#include "platform/DesktopInput.h"

namespace vw::test {
namespace {

class DesktopRunTest : public ::testing::Test {
 protected:
  RunOptions options() {
    RunOptions o;
    o.dataDir = world.dir;
    o.seed = 3;
    o.frames = 4;
    return o;
  }
  TestWorld world;
};

TEST_F(DesktopRunTest, ARunWritesItsLastFrameAsAScreenshot) {
  RunOptions o = options();
  o.screenshot = world.dir / "shot.png";
  testing::internal::CaptureStderr();
  EXPECT_EQ(runDesktop(o), 0);
  std::string err = testing::internal::GetCapturedStderr();
  // The test world has no window icon: one warning, and the game goes on.
  EXPECT_NE(err.find("icon.png: cannot load the window icon"), std::string::npos) << err;
  int w = 0, h = 0, n = 0;
  stbi_uc* pixels = stbi_load(o.screenshot.string().c_str(), &w, &h, &n, 3);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(w, 1000);
  EXPECT_EQ(h, 800);
  auto at = [&](int x, int y) {
    const stbi_uc* p = pixels + (static_cast<std::size_t>(y) * w + x) * 3;
    return Rgb{p[0], p[1], p[2]};
  };
  EXPECT_EQ(at(150, 700), kBanner);  // the title menu, right side up
  EXPECT_EQ(at(900, 60), kSky);
  stbi_image_free(pixels);
}

TEST_F(DesktopRunTest, AnUnwritableScreenshotFailsTheRun) {
  RunOptions o = options();
  o.screenshot = world.dir / "no-such-folder" / "shot.png";
  testing::internal::CaptureStderr();
  EXPECT_EQ(runDesktop(o), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("shot.png: cannot write the screenshot"), std::string::npos) << err;
}

}  // namespace
}  // namespace vw::test
