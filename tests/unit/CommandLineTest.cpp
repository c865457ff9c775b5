#include <gtest/gtest.h>

#include "runner/CommandLine.h"

TEST(InfoCommandLine, QuotesThePathAsItIs) {
  const struct {
    std::string path, line;
  } cases[] = {
      {"C:\\maps\\a.img", "Zarvelt.exe -i \"C:\\maps\\a.img\""},
      {"C:\\moje mape\\\x8e" "ale.img", "Zarvelt.exe -i \"C:\\moje mape\\\x8e" "ale.img\""},
      {"", "Zarvelt.exe -i \"\""},
      {"C:\\a\"b.img", "Zarvelt.exe -i \"C:\\a\"b.img\""},  // nothing is escaped
  };
  for (const auto& c : cases) EXPECT_EQ(InfoCommandLine(c.path), c.line);
}

TEST(MergeCommandLine, PiecesInOrderWithOneSpaceAfterEachInput) {
  EXPECT_EQ(MergeCommandLine("Moja karta", "C:\\out\\new.img", {"C:\\in\\a.img", "C:\\in\\b c.img"}),
            "Zarvelt.exe -m \"Moja karta\" -jo \"C:\\out\\new.img\" \"C:\\in\\a.img\" \"C:\\in\\b c.img\" ");
}

TEST(MergeCommandLine, EmptyDescriptionAndQuotesInsideAreKept) {
  EXPECT_EQ(MergeCommandLine("", "o.img", {"a.img", "b.img"}),
            "Zarvelt.exe -m \"\" -jo \"o.img\" \"a.img\" \"b.img\" ");
  EXPECT_EQ(MergeCommandLine("say \"hi\"", "o.img", {"a.img", "b.img"}),
            "Zarvelt.exe -m \"say \"hi\"\" -jo \"o.img\" \"a.img\" \"b.img\" ");
}
