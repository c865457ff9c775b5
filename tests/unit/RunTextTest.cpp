#include <gtest/gtest.h>

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
