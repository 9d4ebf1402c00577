#include <gtest/gtest.h>

#include "app/RunOptions.h"

namespace vw {
namespace {

TEST(CommandLine, UnknownOptionsAndBadValuesAreErrors) {
  for (auto args : std::vector<std::vector<std::string>>{{"--fly"},
                                                         {"--seed", "x"},
                                                         {"--seed", "-3"},
                                                         {"--frames"},
                                                         {"--frames", "12a"},
                                                         {"--data", ""},
                                                         {"--headless"}}) {
    EXPECT_NE(parseCommandLine(args).error, "") << args[0];
  }
}

}  // namespace
}  // namespace vw
