#include <gtest/gtest.h>

#include "ui/ListRules.h"

using namespace std::string_literals;
using Paths = std::vector<std::string>;

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

TEST(PathsFromDialog, OneFileComesBackWhole) {
  // The offset points at the name inside the path.
  const std::string buffer = "C:\\data\\a.img\0\0"s;
  EXPECT_EQ(PathsFromDialog(buffer, 8), (Paths{"C:\\data\\a.img"}));
}

TEST(PathsFromDialog, OneFileIgnoresWhatAnEarlierLongerNameLeftBehind) {
  const std::string buffer = "C:\\a.img\0ame.img\0\0"s;
  EXPECT_EQ(PathsFromDialog(buffer, 3), (Paths{"C:\\a.img"}));
}

TEST(PathsFromDialog, SeveralFilesAreJoinedToTheirFolderInOrder) {
  const std::string buffer = "C:\\data\0b.img\0a.img\0with space \x9a\x9e.img\0\0"s;
  EXPECT_EQ(PathsFromDialog(buffer, 8),
            (Paths{"C:\\data\\b.img", "C:\\data\\a.img", "C:\\data\\with space \x9a\x9e.img"}));
}

TEST(PathsFromDialog, SeveralFilesInADriveRoot) {
  const std::string buffer = "C:\\\0a.img\0b.img\0\0"s;
  EXPECT_EQ(PathsFromDialog(buffer, 4), (Paths{"C:\\a.img", "C:\\b.img"}));
}

TEST(PathsFromDialog, EmptyOrUnterminatedBuffers) {
  EXPECT_EQ(PathsFromDialog(std::string(10, '\0'), 0), Paths{});
  // A buffer filled to its end without a closing zero.
  EXPECT_EQ(PathsFromDialog("C:\\d\0a.img"s, 5), (Paths{"C:\\d\\a.img"}));
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

TEST(PathsFromDialog, WideNamesComeBackAsNarrowOnesDo) {
  const std::wstring buffer = L"C:\\d\0\x043a.img\0b.img\0\0"s;
  EXPECT_EQ(PathsFromDialog(buffer, 5), (std::vector<std::wstring>{L"C:\\d\\\x043a.img", L"C:\\d\\b.img"}));
  EXPECT_EQ(PathsFromDialog(std::wstring_view(L"C:\\a.img\0\0", 10), 3), (std::vector<std::wstring>{L"C:\\a.img"}));
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

TEST(FilesOnly, KeepsTheDropsOrderAndRepeatsAndLeavesFoldersOut) {
  const auto isFolder = [](const std::string& path) { return path.back() == '\\' || path == "C:\\maps"; };
  EXPECT_EQ(FilesOnly({"C:\\b.img", "C:\\maps", "C:\\a.map", "C:\\b.img", "D:\\"}, isFolder),
            (std::vector<std::string>{"C:\\b.img", "C:\\a.map", "C:\\b.img"}));
  EXPECT_TRUE(FilesOnly({"C:\\maps"}, isFolder).empty());
  // A dropped name that reads empty is no file.
  const auto noFolders = [](const std::wstring&) { return false; };
  EXPECT_EQ(FilesOnly({L"", L"C:\\\x043a.img", L""}, noFolders), (std::vector<std::wstring>{L"C:\\\x043a.img"}));
}
