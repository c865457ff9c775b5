#include <gtest/gtest.h>

#include "ui/ListRules.h"

using namespace std::string_literals;
using Paths = std::vector<std::string>;
using WPaths = std::vector<std::wstring>;

TEST(JoinToFolder, OneBackslashBetweenFolderAndName) {
  EXPECT_EQ(JoinToFolder("C:\\data", "a.img"), "C:\\data\\a.img");
  EXPECT_EQ(JoinToFolder("C:\\", "a.img"), "C:\\a.img");
  EXPECT_EQ(JoinToFolder("\\\\server\\share\\", "a.img"), "\\\\server\\share\\a.img");
  EXPECT_EQ(JoinToFolder("C:\\data", "with space.img"), "C:\\data\\with space.img");
}

TEST(JoinToFolder, AbsoluteNamesAreTakenUnchanged) {
  EXPECT_EQ(JoinToFolder("C:\\data", "\\other\\a.img"), "\\other\\a.img");
  EXPECT_EQ(JoinToFolder("C:\\data", "D:\\maps\\a.img"), "D:\\maps\\a.img");
  // A colon without the backslash is not a drive path.
  EXPECT_EQ(JoinToFolder("C:\\data", "D:a.img"), "C:\\data\\D:a.img");
}

// The dialog's buffer in wide text; each name is joined to its folder as
// JoinToFolder joins it.
TEST(PathsFromDialog, OneFileComesBackWholeIgnoringWhatAnEarlierLongerNameLeftBehind) {
  // The offset points at the name inside the path.
  EXPECT_EQ(PathsFromDialog(L"C:\\data\\a.img\0\0"s, 8), (WPaths{L"C:\\data\\a.img"}));
  EXPECT_EQ(PathsFromDialog(L"C:\\a.img\0ame.img\0\0"s, 3), (WPaths{L"C:\\a.img"}));
}

TEST(PathsFromDialog, SeveralFilesAreJoinedToTheirFolderInOrder) {
  EXPECT_EQ(PathsFromDialog(L"C:\\data\0b.img\0a.img\0with space \u0161\u017e.img\0\u043a.img\0\0"s, 8),
            (WPaths{L"C:\\data\\b.img", L"C:\\data\\a.img", L"C:\\data\\with space \u0161\u017e.img",
                    L"C:\\data\\\u043a.img"}));
  EXPECT_EQ(PathsFromDialog(L"C:\\\0a.img\0b.img\0\0"s, 4), (WPaths{L"C:\\a.img", L"C:\\b.img"})) << "a drive's root";
}

TEST(PathsFromDialog, EmptyOrUnterminatedBuffers) {
  EXPECT_EQ(PathsFromDialog(std::wstring(10, L'\0'), 0), WPaths{});
  // A buffer filled to its end without a closing zero.
  EXPECT_EQ(PathsFromDialog(L"C:\\d\0a.img"s, 5), (WPaths{L"C:\\d\\a.img"}));
}

TEST(PlanDelete, NothingSelectedChangesNothing) {
  EXPECT_FALSE(PlanDelete({}).has_value());
  EXPECT_FALSE(PlanDelete({false, false, false}).has_value());
}

TEST(PlanDelete, RemovesEverySelectedEntryAndSelectsTheFirstRemaining) {
  const struct {
    std::vector<bool> selected;
    std::vector<std::size_t> remove;
    bool selectFirst;
  } cases[] = {
      {{false, true, false, true, false}, {3, 1}, true},
      {{true, false}, {0}, true},
      {{false, false, true}, {2}, true},
      {{true, true, true}, {2, 1, 0}, false},
      {{true}, {0}, false},
  };
  for (const auto& c : cases) {
    const auto plan = PlanDelete(c.selected);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->remove, c.remove);
    EXPECT_EQ(plan->selectFirst, c.selectFirst);
    EXPECT_EQ(plan->brisiEnabled, c.selectFirst) << "Brisi stays enabled while entries remain";
  }
}

TEST(SortOutChosen, ExactPathsAsTheyAreElseTheShortPathElseLeftOutInOrder) {
  const std::vector<PathInCodePage> read = {
      {true, "C:\\m\\\xe8\x9e\x9a.img", ""},       // Slovenian letters: byte for byte
      {false, "C:\\m\\?????.img", "C:\\m\\____~1.IMG"},  // by the short path the tool can open
      {false, "C:\\m\\??.img", ""},                   // no short path: left out
      {true, "C:\\m\\a.img", "C:\\m\\ignored"},
      {false, "C:\\m\\Espa?a.img", ""},
  };
  const ChosenPaths chosen = SortOutChosen(read);
  EXPECT_EQ(chosen.listed, (Paths{"C:\\m\\\xe8\x9e\x9a.img", "C:\\m\\____~1.IMG", "C:\\m\\a.img"}));
  EXPECT_EQ(chosen.leftOut, (Paths{"C:\\m\\??.img", "C:\\m\\Espa?a.img"}));
  EXPECT_TRUE(SortOutChosen({}).listed.empty());
}

TEST(FilesOnly, KeepsTheDropsOrderAndRepeatsAndLeavesFoldersAndEmptyNamesOut) {
  const auto isFolder = [](const std::wstring& path) { return path.back() == L'\\' || path == L"C:\\maps"; };
  EXPECT_EQ(FilesOnly({L"C:\\b.img", L"C:\\maps", L"C:\\a.map", L"C:\\b.img", L"D:\\"}, isFolder),
            (WPaths{L"C:\\b.img", L"C:\\a.map", L"C:\\b.img"}));
  EXPECT_TRUE(FilesOnly({L"C:\\maps"}, isFolder).empty());
  // A dropped name that reads empty is no file.
  EXPECT_EQ(FilesOnly({L"", L"C:\\\u043a.img", L""}, isFolder), (WPaths{L"C:\\\u043a.img"}));
}
