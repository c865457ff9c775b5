#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Harness.h"
#include "WineOnly.h"

// Every run starts at the usual screen density, whatever an earlier run left.
// Where the host runs no 32-bit Linux programs, or Wine's 32-bit part could
// not be installed (the scripts set ZARVELT_HOST32=0 and the reason in
// ZARVELT_HOST32_WHY), Wine cannot start a 32-bit program: its tests are
// reported skipped, with the reason, not failed.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  e2e::TakeProgramArguments(argc, argv);
  const char* host32 = std::getenv("ZARVELT_HOST32");
  if (e2e::ProgramBits() == 32 && host32 && std::string(host32) == "0" && !GTEST_FLAG_GET(list_tests)) {
    const char* why = std::getenv("ZARVELT_HOST32_WHY");
    std::printf("[  SKIPPED ] the 32-bit program cannot run here: %s\n",
                why && *why ? why
                            : "this host runs no 32-bit Linux programs, which Wine needs for a 32-bit Windows program");
    return 0;
  }
  // A run under another code page of the system is started in a locale that
  // gives it (see tests/e2e/CMakeLists.txt): it must have.
  if (e2e::CodePageAsked() && e2e::CodePageAsked() != ::GetACP() && !GTEST_FLAG_GET(list_tests)) {
    std::printf("the driver runs under code page %u, not %u: is the locale there?\n", ::GetACP(), e2e::CodePageAsked());
    return 1;
  }
  e2e::wineonly::SetScreenDpi(96);
  return RUN_ALL_TESTS();
}
