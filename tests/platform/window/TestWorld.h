#pragma once
// A tiny data directory for the windowed tests: one puzzle with one block,
// solid-colour pictures whose colours the tests look for, and the game's
// own shader. Removed again when the test ends.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../unit/support/TempDataDir.h"
#include "app/Game.h"
#include "gl/GlRenderContext.h"
#include "platform/DesktopWindow.h"

namespace vw::test {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, Rgb c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr Rgb kSky{0, 204, 255};
constexpr Rgb kStone{255, 0, 0};
constexpr Rgb kBanner{0, 160, 0};
constexpr Rgb kWaterIcon{0, 0, 128};
constexpr Rgb kSteamIcon{255, 128, 0};
constexpr Rgb kIceIcon{128, 128, 128};

// RGBA pixels of one colour, 8 x 8 of them.
inline std::vector<std::uint8_t> solidPixels(Rgb c, int alpha = 255) {
  std::vector<std::uint8_t> pixels;
  for (int i = 0; i < 64; ++i) {
    for (int v : {c.r, c.g, c.b, alpha}) pixels.push_back(static_cast<std::uint8_t>(v));
  }
  return pixels;
}

class TestWorld : public TempDataDir {
 public:
  TestWorld() {
    std::filesystem::create_directories(dir / "Pictures");
    std::filesystem::create_directories(dir / "Shaders");
    std::filesystem::copy_file(std::filesystem::path(VAPORWICK_SOURCE_DATA) / "Shaders/sprite.glsl",
                               dir / "Shaders/sprite.glsl");
    list("Puzzles/test.txt\n|&");
    write("Puzzles/test.txt", "2000|BLOCK|400|0|100|100\n|&");
    std::string textures;
    auto picture = [&](const std::string& key, Rgb c, int alpha) {
      const std::string file = "Pictures/" + key + ".png";
      stbi_write_png((dir / file).string().c_str(), 8, 8, 4, solidPixels(c, alpha).data(), 8 * 4);
      textures += file + "|" + key + "\n|";
    };
    picture("STONE", kStone, 255);
    picture("TEXT", Rgb{255, 255, 0}, 255);
    picture("VAPORWICKMENU", kBanner, 255);
    picture("WATERICON", kWaterIcon, 255);
    picture("STEAMICON", kSteamIcon, 255);
    picture("ICEICON", kIceIcon, 255);
    for (const char* key : {"WATERSPRAY", "STEAM", "ICESPRAY"}) picture(key, Rgb{255, 255, 255}, 255);
    // Everything else is see-through, so the sky shows wherever nothing of the above is.
    for (const char* key : {"BACKGROUND", "ANIMATION", "ARM", "WETBLOCK", "ICEBLOCK", "HEAVYBOX", "RUSTYBOX",
                            "BUTTONART", "RISINGDOOR", "TRAPDOOR", "WATERWHEEL"}) {
      picture(key, Rgb{}, 0);
    }
    write("Settings/textureData.txt", textures + "&");
  }

  const std::filesystem::path dir = path();
};

// An RGBA picture, top row first.
struct Picture {
  std::vector<std::uint8_t> rgba;
  int width = 0, height = 0;

  Rgb at(int x, int y) const {
    const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
  }
  // How many pixels have exactly this colour.
  int count(Rgb c) const {
    int n = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) n += at(x, y) == c;
    }
    return n;
  }
};

// A window, its OpenGL context and the render context, for one test.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    window = DesktopWindow::open(error);
    ASSERT_TRUE(window) << error;
    context = GlRenderContext::create(*window, world.dir / "Shaders/sprite.glsl", error);
    ASSERT_TRUE(context) << error;
  }

  Picture backBuffer() const { return {context->readBackBuffer(), kScreenWidth, kScreenHeight}; }

  TestWorld world;
  std::unique_ptr<DesktopWindow> window;
  std::unique_ptr<GlRenderContext> context;  // goes before the window does
};

}  // namespace vw::test
