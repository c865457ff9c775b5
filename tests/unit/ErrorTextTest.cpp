#include <gtest/gtest.h>

#include "app/ErrorText.h"

TEST(ClosingDot, AddedOnlyAfterCharactersThatSortAfterFullStop) {
  const struct {
    std::wstring message;
    std::wstring shown;
  } cases[] = {
      {L"", L""},
      {L"Unable to insert a line", L"Unable to insert a line."},
      {L"Code: 2", L"Code: 2."},
      {L"ends in colon:", L"ends in colon:."},
      {L"already.", L"already."},
      {L"bang!", L"bang!"},
      {L"comma,", L"comma,"},
      {L"paren)", L"paren)"},
      {L"space ", L"space "},
      {L"line\r\n", L"line\r\n"},
      {L"slash/", L"slash/."},    // 0x2F sorts after '.'
      {L"hyphen-", L"hyphen-"},   // 0x2D does not
      {L"datoteko\u017e", L"datoteko\u017e."},  // a letter beyond ASCII
  };
  for (const auto& c : cases) EXPECT_EQ(WithClosingDot(c.message), c.shown) << c.message;
}

TEST(DefaultTitle, FileNameCutAtFirstDotWithLettersAfterTheFirstLowered) {
  // The system lowers the letters; here, a stand-in that lowers A-Z and the
  // few others the cases hold.
  const auto lower = [](std::wstring& text) {
    for (wchar_t& c : text) {
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 0x20);
      else if (c == L'\u010c' || c == L'\u017d') c = static_cast<wchar_t>(c + 1);  // Č Ž
    }
  };
  const struct {
    std::wstring path;
    std::wstring title;
  } cases[] = {
      {L"C:\\Program Files\\Zarvelt\\ZarveltGUI.exe", L"Zarveltgui"},
      {L"C:\\x\\my.app.v2.EXE", L"my"},
      {L"zarveltGUI.exe", L"zarveltgui"},
      {L"D:\\\u017dIVA\u010c.exe", L"\u017diva\u010d"},  // ŽIVAČ -> Živač
      {L"C:\\NoExtension", L"Noextension"},
      {L"C:\\dir.with.dots\\App.exe", L"App"},
      {L"C:\\x\\.hidden", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultTitle(c.path, lower), c.title) << c.path;
}
