#include "app/Headless.h"

#include <iostream>

#include "app/Session.h"

namespace vw {

int runHeadless(const RunOptions& options) {
  if (!options.screenshot.empty()) std::cerr << "vaporwick: --screenshot needs a window; ignored with --headless\n";
  NullRenderContext context;
  Session session(options, context, nullptr);
  if (int status = session.start()) return status;
  while (!session.done()) {
    session.update(kDefaultStep);
    session.render();
  }
  return session.finish();
}

}  // namespace vw
