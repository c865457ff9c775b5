#include <gtest/gtest.h>

#include <optional>

#include "runner/RunText.h"

using namespace std::string_literals;

TEST(AppendChunkLine, EachChunkBecomesOneLine) {
  std::string lines;
  AppendChunkLine(lines, "abc", 3);
  AppendChunkLine(lines, "x\r\n", 3);  // a chunk ending in a line break is followed by an empty line
  AppendChunkLine(lines, "", 0);
  EXPECT_EQ(lines, "abc\r\nx\r\n\r\n\r\n");
}

TEST(AppendChunkLine, ZeroBytesAreLeftOutAndWhatFollowsIsKept) {
  std::string lines;
  const std::string chunk = "before\0after\0\0end"s;
  AppendChunkLine(lines, chunk.data(), chunk.size());
  EXPECT_EQ(lines, "beforeafterend\r\n");
}

TEST(AppendChunkLine, BytesAboveSevenBitPassUnchanged) {
  std::string lines;
  AppendChunkLine(lines, "\x8a\x9e\xff", 3);
  EXPECT_EQ(lines, "\x8a\x9e\xff\r\n");
}

TEST(SystemErrorMessage, CodeLineBreakAndTrimmedDescription) {
  const struct {
    unsigned long code;
    std::string description, message;
  } cases[] = {
      {2, "The system cannot find the file specified.\r\n",
       "System Error.  Code: 2.\r\nThe system cannot find the file specified"},
      {193, "%1 is not a valid Win32 application. \r\n", "System Error.  Code: 193.\r\n%1 is not a valid Win32 application"},
      {5, "Access denied...\t \r\n", "System Error.  Code: 5.\r\nAccess denied"},
      {1234, "", "System Error.  Code: 1234.\r\n"},  // no description (or one too long)
      {4294967295ul, "x", "System Error.  Code: 4294967295.\r\nx"},
      {0, "The operation completed successfully.\r\n", "A call to an OS function failed"},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemErrorMessage(c.code, c.description), c.message) << c.code;
}

// A tool's end adds a line before the separator only for a stop, or for a
// crash, which names its code.
TEST(RunEndLines, AStopOrACrashIsToldOtherEndsAddNothing) {
  const std::string crashed = "Orodje se je nenormalno kon\xe8" "alo (koda ";
  const struct {
    bool stopped;
    std::optional<unsigned long> code;
    std::string lines;
  } cases[] = {
      {false, 0xC0000005, crashed + "0xC0000005).\r\n"},  // access violation
      {false, 0xC00000FD, crashed + "0xC00000FD).\r\n"},  // stack overflow
      {false, 0xC0000409, crashed + "0xC0000409).\r\n"},  // a failed runtime check
      {false, 0xCFFFFFFF, crashed + "0xCFFFFFFF).\r\n"},
      {false, 0x80000003, crashed + "0x80000003).\r\n"},  // a breakpoint
      {false, 0xE06D7363, crashed + "0xE06D7363).\r\n"},  // a C++ exception no one caught
      {false, 0xC000013A, ""},                              // ended by the console's Ctrl+C
      {false, 0, ""},
      {false, 1, ""},
      {false, 0xFFFFFFFF, ""},  // -1
      {false, 0xBFFFFFFF, ""},
      {false, 0xD0000000, ""},
      {false, std::nullopt, ""},
      {true, 0xC0000005, "Orodje je bilo ustavljeno.\r\n"},  // a stop says only that
      {true, 1, "Orodje je bilo ustavljeno.\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RunEndLines(c.stopped, c.code), c.lines) << std::hex << c.code.value_or(0) << " " << c.stopped;
}
