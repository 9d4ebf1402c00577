// Vaporwick in a browser: reads the page's URL options, starts the game on
// the page's canvas and hands it to the browser's animation frames.
#include <emscripten.h>

#include <iostream>
#include <memory>

#include "app/RunOptions.h"
#include "web/PageOptions.h"
#include "web/WebGame.h"

namespace {

constexpr const char* kDataDir = "/data";        // where the build packs Settings/, puzzles, pictures, shader
constexpr const char* kScriptDir = "/scripts";   // the packed input scripts

std::string pageQuery() {
  const int bytes = EM_ASM_INT({ return lengthBytesUTF8(window.location.search) + 1; });
  std::string text(static_cast<std::size_t>(bytes), '\0');
  EM_ASM({ stringToUTF8(window.location.search, $0, $1); }, text.data(), bytes);
  text.resize(text.find('\0'));
  return text;
}

void animationFrame(void* game) {
  auto* web = static_cast<vw::WebGame*>(game);
  if (web->done()) {
    emscripten_cancel_main_loop();
    return;
  }
  web->animationFrame();
}

}  // namespace

// What the page's functions call (installed by WebGame on window).
extern "C" {
EMSCRIPTEN_KEEPALIVE const char* vaporwickStateDump(vw::WebGame* game) { return game->stateDump().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* vaporwickStatus(vw::WebGame* game) { return game->status().c_str(); }
EMSCRIPTEN_KEEPALIVE void vaporwickToggleFullscreen(vw::WebGame* game) { game->toggleFullscreen(); }
}

void vw::WebGame::installPageFunctions() {
  EM_ASM(
      {
        var game = $0;
        window.vaporwickDump = function() { return JSON.parse(UTF8ToString(Module._vaporwickStateDump(game))); };
        window.vaporwickStatus = function() { return JSON.parse(UTF8ToString(Module._vaporwickStatus(game))); };
        window.vaporwickFullscreen = function() { Module._vaporwickToggleFullscreen(game); };
        if (Module.onGameStarted) Module.onGameStarted();
      },
      this);
}

int main() {
  vw::PageOptions page = vw::parsePageOptions(pageQuery(), kScriptDir);
  for (const std::string& warning : page.warnings) std::cerr << "vaporwick: " << warning << '\n';
  vw::ParsedCommandLine parsed = vw::parseCommandLine(page.arguments);
  if (!parsed.error.empty()) {
    std::cerr << "vaporwick: " << parsed.error << '\n';
    return 2;
  }
  vw::RunOptions options = parsed.options;
  options.dataDir = kDataDir;
  std::unique_ptr<vw::WebGame> game = vw::WebGame::start(options, page.speed);
  if (!game) {
    EM_ASM({ document.getElementById('status').textContent = 'The game could not start; see the console.'; });
    return 1;
  }
  // The game lives as long as the page; the browser calls it every animation frame.
  emscripten_set_main_loop_arg(animationFrame, game.release(), 0, EM_FALSE);
  return 0;
}
