#include <gtest/gtest.h>

#include <sstream>

#include "app/InputScript.h"
#include "app/KeyCodes.h"
#include "support/ScriptedDevices.h"

namespace vw {
namespace {

std::optional<InputScript> parse(const std::string& text, std::string& error) {
  std::istringstream in(text);
  return parseInputScript(in, "walk.txt", error);
}

TEST(InputScript, MalformedLinesNameTheFileAndLine) {
  const char* bad[] = {"3 JUMP\n", "x D\n", "dt fast\n", "dt -1\n", "2 mouse 10\n", "-2 D\n",
                       "1 D\nseed 4\n", "seed\n"};
  for (const char* text : bad) {
    std::string error;
    EXPECT_FALSE(parse(text, error)) << text;
    EXPECT_NE(error.find("walk.txt:"), std::string::npos) << error;
  }
  std::string error;
  parse("1 D\n\n1 D\nseed 4\n", error);
  EXPECT_EQ(error.rfind("walk.txt:4:", 0), 0u) << error;
}

}  // namespace
}  // namespace vw
