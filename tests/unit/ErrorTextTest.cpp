#include <gtest/gtest.h>

#include "app/ErrorText.h"

TEST(ClosingDot, AddedOnlyAfterBytesThatSortAfterFullStop) {
  const struct {
    std::string message;
    std::string shown;
  } cases[] = {
      {"", ""},
      {"Unable to insert a line", "Unable to insert a line."},
      {"Code: 2", "Code: 2."},
      {"ends in colon:", "ends in colon:."},
      {"already.", "already."},
      {"bang!", "bang!"},
      {"comma,", "comma,"},
      {"paren)", "paren)"},
      {"space ", "space "},
      {"line\r\n", "line\r\n"},
      {"slash/", "slash/."},      // 0x2F sorts after '.'
      {"hyphen-", "hyphen-"},     // 0x2D does not
      {"datoteko\x9e", "datoteko\x9e."},  // a Windows-1250 letter is above 0x7F
  };
  for (const auto& c : cases) EXPECT_EQ(WithClosingDot(c.message), c.shown) << c.message;
}

TEST(DefaultTitle, FileNameCutAtFirstDotWithLettersAfterTheFirstLowered) {
  const struct {
    std::string path;
    std::string title;
  } cases[] = {
      {"C:\\Program Files\\Zarvelt\\ZarveltGUI.exe", "Zarveltgui"},
      {"C:\\x\\my.app.v2.EXE", "my"},
      {"zarveltGUI.exe", "zarveltgui"},
      {"D:\\\x8eIVA\xc8.exe", "\x8e\x69va\xe8"},  // ŽIVAČ -> Živač
      {"C:\\NoExtension", "Noextension"},
      {"C:\\dir.with.dots\\App.exe", "App"},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultTitle(c.path), c.title) << c.path;
}

TEST(DefaultTitle, LowersEveryWindows1250CapitalAndNothingElse) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const char lower = LowerCp1250(c);
    if (lower != c) {
      // Every pair differs by 0x10 (Š/š row), 0x20 (Latin rows) or is a known pair.
      const int diff = static_cast<unsigned char>(lower) - b;
      EXPECT_TRUE(diff == 0x10 || diff == 0x20 || b == 0xA3 || b == 0xA5 || b == 0xAA ||
                  b == 0xAF || b == 0xBC)
          << std::hex << b;
    }
  }
  EXPECT_EQ(LowerCp1250('\xd7'), '\xd7');  // multiplication sign
  EXPECT_EQ(LowerCp1250('\x9e'), '\x9e');  // already lower
  EXPECT_EQ(LowerCp1250('\x8a'), '\x9a');  // Š
  EXPECT_EQ(LowerCp1250('\xa5'), '\xb9');  // Ą
}
