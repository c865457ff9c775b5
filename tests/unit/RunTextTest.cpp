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
    std::wstring description, message;
  } cases[] = {
      {2, L"The system cannot find the file specified.\r\n",
       L"System Error.  Code: 2.\r\nThe system cannot find the file specified"},
      {193, L"%1 is not a valid Win32 application. \r\n", L"System Error.  Code: 193.\r\n%1 is not a valid Win32 application"},
      {5, L"Access denied...\t \r\n", L"System Error.  Code: 5.\r\nAccess denied"},
      {3, L"Sistem ne najde poti\u010d.\r\n", L"System Error.  Code: 3.\r\nSistem ne najde poti\u010d"},
      {1234, L"", L"System Error.  Code: 1234.\r\n"},  // no description (or one too long)
      {4294967295ul, L"x", L"System Error.  Code: 4294967295.\r\nx"},
      {0, L"The operation completed successfully.\r\n", L"A call to an OS function failed"},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemErrorMessage(c.code, c.description), c.message) << c.code;
}

// A tool's end adds a line before the separator only for a stop, or for a
// crash, which names its code.
TEST(RunEndLines, AStopOrACrashIsToldOtherEndsAddNothing) {
  const std::wstring crashed = L"Orodje se je nenormalno kon\u010dalo (koda ";
  const struct {
    bool stopped;
    std::optional<unsigned long> code;
    std::wstring lines;
  } cases[] = {
      {false, 0xC0000005, crashed + L"0xC0000005).\r\n"},  // access violation
      {false, 0xC00000FD, crashed + L"0xC00000FD).\r\n"},  // stack overflow
      {false, 0xC0000409, crashed + L"0xC0000409).\r\n"},  // a failed runtime check
      {false, 0xCFFFFFFF, crashed + L"0xCFFFFFFF).\r\n"},
      {false, 0x80000003, crashed + L"0x80000003).\r\n"},  // a breakpoint
      {false, 0xE06D7363, crashed + L"0xE06D7363).\r\n"},  // a C++ exception no one caught
      {false, 0xC000013A, L""},                              // ended by the console's Ctrl+C
      {false, 0, L""},
      {false, 1, L""},
      {false, 0xFFFFFFFF, L""},  // -1
      {false, 0xBFFFFFFF, L""},
      {false, 0xD0000000, L""},
      {false, std::nullopt, L""},
      {true, 0xC0000005, L"Orodje je bilo ustavljeno.\r\n"},  // a stop says only that
      {true, 1, L"Orodje je bilo ustavljeno.\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RunEndLines(c.stopped, c.code), c.lines) << std::hex << c.code.value_or(0) << " " << c.stopped;
}
