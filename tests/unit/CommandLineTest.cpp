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

// The description is read back whole by the tool's C runtime: quotes and
// trailing backslashes are escaped, everything else stays byte for byte.
TEST(MergeCommandLine, TheDescriptionIsQuotedSoTheToolReadsItWhole) {
  const struct {
    std::string description, quoted;
  } cases[] = {
      {"", "\"\""},
      {"Moja karta \x9a\x9e\xe8", "\"Moja karta \x9a\x9e\xe8\""},
      {"a\\b\\\\c", "\"a\\b\\\\c\""},  // backslashes inside, no quote after them: unchanged
      {"opis\\", "\"opis\\\\\""},
      {"C:\\karte\\", "\"C:\\karte\\\\\""},
      {"x\\\\", "\"x\\\\\\\\\""},
      {"Karta \"Gorenjska\"", "\"Karta \\\"Gorenjska\\\"\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},    // n backslashes before a quote: 2n+1
      {"\"", "\"\\\"\""},
      {"\\\"\\", "\"\\\\\\\"\\\\\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QuotedArgument(c.description), c.quoted) << c.description;
    EXPECT_EQ(MergeCommandLine(c.description, "o.img", {"a.img", "b.img"}),
              "Zarvelt.exe -m " + c.quoted + " -jo \"o.img\" \"a.img\" \"b.img\" ")
        << c.description;
  }
}

// On a double-byte code page a character's second byte may be 0x5C, a
// backslash's: it is no backslash, and nothing is doubled for it. Code page
// 932's lead bytes stand for the system's.
TEST(MergeCommandLine, ADoubleByteCharacterIsOneCharacter) {
  const IsLeadByte cp932 = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
  const struct {
    std::string description, quoted;
  } cases[] = {
      {"\x95\x5C", "\"\x95\x5C\""},                    // 表, ending in 0x5C
      {"\x95\x5C\"", "\"\x95\x5C\\\"\""},               // and a quote after it
      {"\x95\x5C\\", "\"\x95\x5C\\\\\""},              // and a true backslash at the end
      {"ab\x81", "\"ab\x81\""},                          // a lone lead byte at the end
      {"\\\x81", "\"\\\x81\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QuotedArgument(c.description, cp932), c.quoted) << c.description;
    EXPECT_EQ(MergeCommandLine(c.description, "o.img", {"a.img"}, cp932),
              "Zarvelt.exe -m " + c.quoted + " -jo \"o.img\" \"a.img\" ")
        << c.description;
  }
  // On a single-byte code page 0x5C after 0x95 is a backslash, as before.
  EXPECT_EQ(QuotedArgument("\x95\x5C"), "\"\x95\x5C\\\"");
}
