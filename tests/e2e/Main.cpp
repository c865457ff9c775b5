#include <gtest/gtest.h>

#include "Harness.h"

// Every run starts at the usual screen density, whatever an earlier run left.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  e2e::TakeProgramArguments(argc, argv);
  e2e::SetScreenDpi(96);
  return RUN_ALL_TESTS();
}
