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

// What a file dialog's own path buffers must hold for a name in its field,
// counted as the dialog joins them (the open dialog refuses a name that would
// not fit; the save dialog's field takes no longer one).
TEST(JoinedPathChars, FolderNameExtensionAndZeroAsTheDialogJoinsThem) {
  const struct {
    std::wstring folder, name;
    std::size_t chars;
  } cases[] = {
      {L"C:\\maps", L"a.img", 7 + 1 + 5 + 1},
      {L"C:\\maps", L"a", 7 + 1 + 1 + 4 + 1},             // the default extension
      {L"C:\\maps", L"a.", 7 + 1 + 2 + 1},                // a dot is an extension
      {L"C:\\maps", L"a.b c", 7 + 1 + 5 + 4 + 1},         // but not with a space after it
      {L"C:\\maps", L"sub.d\\a", 7 + 1 + 7 + 4 + 1},      // nor in a folder before the name
      {L"C:\\", L"a.img", 3 + 5 + 1},                     // a root ends in its backslash
      {L"C:\\maps", L"D:\\x\\a.img", 10 + 1},             // a drive of its own: the name alone
      {L"C:\\maps", L"D:a.img", 7 + 1},
      {L"C:\\maps", L"\\x\\a.img", 2 + 8 + 1},            // the folder's drive
      {L"C:\\maps", L"..\\..\\a.img", 7 + 1 + 11 + 1},      // before ".." is resolved
      {L"C:\\maps", L"", 7 + 1 + 4 + 1},                  // the save dialog's limit: what is left of MAX_PATH
  };
  for (const auto& c : cases) EXPECT_EQ(JoinedPathChars(c.folder, c.name, 4), c.chars) << c.name;

  EXPECT_EQ(SingleNameInField(L"a.img"), std::optional<std::wstring_view>(L"a.img"));
  EXPECT_EQ(SingleNameInField(L"\"a b.img\""), std::optional<std::wstring_view>(L"a b.img")) << "one quoted name";
  EXPECT_EQ(SingleNameInField(L"\"a.img\" \"b.img\""), std::nullopt) << "several";
  EXPECT_EQ(SingleNameInField(L""), std::nullopt);
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
