#pragma once
// The page's URL options, mirroring the command line where it makes sense:
//   ?seed=N      as --seed
//   ?script=NAME as --script, for a script packed with the build (a bare
//                file name: no folders, nothing outside the packed scripts)
//   ?speed=N     updates per animation frame while a script plays (1 to 1000;
//                only the last of them is drawn), for tests
//   ?mute        as --mute;  ?verbose as --verbose
#include <string>
#include <string_view>
#include <vector>

namespace vw {

struct PageOptions {
  std::vector<std::string> arguments;  // for parseCommandLine
  int speed = 1;
  std::vector<std::string> warnings;   // options left out, and why
};

// Reads a URL query ("?a=1&b", the '?' optional); scripts are looked up in scriptDir.
PageOptions parsePageOptions(std::string_view query, const std::string& scriptDir);

}  // namespace vw
