#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "app/OwnText.h"
#include "ui/Texts.h"

// The program's texts are written as Windows-1250 bytes.
TEST(Texts, LettersWithCaronAreWindows1250Bytes) {
  EXPECT_EQ(std::string(texts::kZdruzi), "Zdru\x9ei v eno");
  EXPECT_EQ(std::string(texts::kZazeni), "Za\x9e" "eni");
  EXPECT_EQ(std::string(texts::kSelectAtLeastOne), "Izbrati mora\x9a vsaj eno datoteko!");
  EXPECT_EQ(std::string(texts::kSameName),
            "Ne more\x9a shraniti pod isto ime, kot je datoteka katero zdru\x9euje\x9a!");
}

// They reach the screen as wide text, converted as Windows-1250 reads: every
// byte as the C library's converter reads it, the five bytes the code page
// leaves unused as the control characters Windows makes of them.
TEST(Texts, OwnTextReadsEveryByteAsWindows1250) {
  EXPECT_EQ(OwnText(texts::kZdruzi), L"Zdru\u017ei v eno");
  EXPECT_EQ(OwnText("\xe8\x9a\x9e\xc8\x8a\x8e"), L"\u010d\u0161\u017e\u010c\u0160\u017d");  // čšžČŠŽ
  EXPECT_EQ(OwnText(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  const iconv_t cd = iconv_open("WCHAR_T", "CP1250");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 1; b < 256; ++b) {
    char in[1] = {static_cast<char>(b)};
    wchar_t out[2] = {};
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool defined = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1);
    const std::wstring own = OwnText(std::string(1, static_cast<char>(b)));
    if (defined) {
      EXPECT_EQ(own, std::wstring(1, out[0])) << std::hex << b;
    } else {
      EXPECT_TRUE(b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) << std::hex << b;
      EXPECT_EQ(own, std::wstring(1, static_cast<wchar_t>(b))) << std::hex << b;
    }
  }
  iconv_close(cd);
}

TEST(Texts, FilterIsOnePairOfZeroEndedStrings) {
  const std::string filter(texts::kImgFilter, sizeof texts::kImgFilter);
  EXPECT_EQ(filter, std::string("IMG datoteke\0*.IMG\0\0", 20));
}
