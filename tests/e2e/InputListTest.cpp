// Adding files through the open dialog and deleting the selected ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "Harness.h"
#include "WineOnly.h"

#include <commctrl.h>
#include "ui/ControlIds.h"
#include "ui/DialogIds.h"

using namespace e2e;
using Items = std::vector<std::string>;
using Indexes = std::vector<int>;

namespace {

class InputList : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const char* name : {"a.img", "b.img", "c.img", "d.img", "e.img"}) MakeFile(folder + "\\" + name);
    StartOptions options;
    options.folder = folder;
    app = std::make_unique<Program>(options);
  }

  std::string Path(const std::string& name) const { return folder + "\\" + name; }

  // Presses Browse and chooses `names` in the test's folder.
  void Browse(const std::string& names) { BrowseIn(folder, names); }
  void BrowseIn(const std::string& where, const std::string& names) {
    app->Click(ids::kBrowse);
    ChooseInFolder(app->WaitDialog(), where, names);
  }

  // Waits for the list to hold `count` entries.
  void WaitForCount(std::size_t count) {
    EXPECT_TRUE(WaitUntil([&] { return app->Items().size() == count; }));
    app->Sync();
  }

  std::string folder;
  std::unique_ptr<Program> app;
};

}  // namespace

TEST_F(InputList, OneChosenFileIsListedSelectedAndEnablesBrisi) {
  Browse(Path("a.img"));
  WaitForCount(1);
  EXPECT_EQ(app->Items(), (Items{Path("a.img")}));
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{0}));
  EXPECT_TRUE(app->Enabled(ids::kBrisi));
}

TEST_F(InputList, ThreeFilesInOneGoKeepTheDialogsOrderAndSelectEverything) {
  Browse(Path("e.img"));
  WaitForCount(1);
  app->SelectOnly({});
  Browse("\"c.img\" \"a.img\" \"b.img\"");
  WaitForCount(4);
  EXPECT_EQ(app->Items(), (Items{Path("e.img"), Path("c.img"), Path("a.img"), Path("b.img")}));
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{0, 1, 2, 3})) << "the older entry is selected too";
}

TEST_F(InputList, CancellingTheDialogChangesNothing) {
  Browse("\"a.img\" \"b.img\"");
  WaitForCount(2);
  app->SelectOnly({1});
  app->Click(ids::kBrowse);
  CancelDialog(app->WaitDialog());
  app->Sync();
  EXPECT_EQ(app->Items(), (Items{Path("a.img"), Path("b.img")}));
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{1}));
  EXPECT_TRUE(app->Enabled(ids::kBrisi));
}

TEST_F(InputList, CancellingOnAnEmptyListLeavesBrisiDisabled) {
  app->Click(ids::kBrowse);
  CancelDialog(app->WaitDialog());
  app->Sync();
  EXPECT_TRUE(app->Items().empty());
  EXPECT_FALSE(app->Enabled(ids::kBrisi));
}

TEST_F(InputList, AFileAlreadyListedIsListedAgain) {
  Browse(Path("a.img"));
  WaitForCount(1);
  Browse(Path("a.img"));
  WaitForCount(2);
  EXPECT_EQ(app->Items(), (Items{Path("a.img"), Path("a.img")}));
}

TEST_F(InputList, PathsWithSpacesAndSlovenianLettersArriveUnchanged) {
  const std::string sub = folder + "\\mapa s presledki \x9a\x9e";
  ::CreateDirectoryA(sub.c_str(), nullptr);
  const std::string name = "\x8e" "elezna \x8aola.img";  // Železna Šola.img
  MakeFile(sub + "\\" + name);
  MakeFile(sub + "\\two.img");
  BrowseIn(sub, name);
  WaitForCount(1);
  BrowseIn(sub, "\"two.img\" \"" + name + "\"");
  WaitForCount(3);
  EXPECT_EQ(app->Items(), (Items{sub + "\\" + name, sub + "\\two.img", sub + "\\" + name}));
}

TEST_F(InputList, TheDialogOpensInTheFolderOfTheFirstNameChosenLastTime) {
  Browse("\"b.img\" \"c.img\"");
  WaitForCount(2);
  app->Click(ids::kBrowse);
  const HWND dialog = app->WaitDialog();
  ASSERT_NE(dialog, nullptr);
  const HWND field = ::GetDlgItem(dialog, 0x47c);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(field).find("b.img") != std::string::npos; }))
      << WindowText(field);
  // A bare name now means a file of that folder.
  ChooseInDialog(dialog, "d.img");
  WaitForCount(3);
  EXPECT_EQ(app->Items().back(), Path("d.img"));
}

TEST_F(InputList, TheDialogSitsCentredOverTheScreenAThirdOfTheWayDown) {
  app->Click(ids::kBrowse);
  const HWND dialog = app->WaitDialog();
  ASSERT_NE(dialog, nullptr);
  app->Sync();
  RECT rc;
  ::GetWindowRect(dialog, &rc);
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(rc.left, (screenWidth - (rc.right - rc.left)) / 2);
  EXPECT_EQ(rc.top, (screenHeight - (rc.bottom - rc.top)) / 3);
  CancelDialog(dialog);
}

TEST_F(InputList, AMissingFileTypedByNameIsListed) {
  Browse(Path("missing.img"));
  WaitForCount(1);
  EXPECT_EQ(app->Items(), (Items{Path("missing.img")}));
}

// One name whose path would be longer than a path can be (with the ".img"
// the dialog adds and the closing zero, more than 260 characters) is refused
// in the dialog, which stays open with the name; under Wine the dialog
// overran a buffer of its own on it, and the program died. One that fits is
// listed.
TEST_F(InputList, ANameTooLongForAPathIsRefusedInTheDialogAndOneThatFitsIsListed) {
  app->Click(ids::kBrowse);
  const HWND dialog = app->WaitDialog();
  GoToFolder(dialog, folder);
  const std::size_t longest = MAX_PATH - folder.size() - 2;  // the folder, a backslash, the name, a zero
  auto refused = [&](const std::string& name) {
    TypeFileName(dialog, name);
    PressDialogButton(dialog, IDOK);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      for (HWND window : app->OtherWindows())
        if (::GetWindow(window, GW_OWNER) == dialog) box = window;
      return box != nullptr || app->WaitExit(0) != STILL_ACTIVE;
    })) << "no word from the dialog";
    ASSERT_EQ(app->WaitExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program is still there";
    EXPECT_EQ(WindowText(::GetDlgItem(box, IDC_MESSAGE_TEXT)).rfind("Pot do te datoteke bi bila predolga", 0), 0u);
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(::IsWindow(dialog)) << "the dialog stays open";
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, 0x47c)), name) << "with the name";
  };
  refused(std::string(240, 'x') + ".img");
  refused("\"" + std::string(longest + 1 - 4, 'x') + ".img\"");  // one character too many
  refused(std::string(longest + 1 - 4, 'x'));  // with the ".img" the dialog adds
  const std::string fits = std::string(longest - 4, 'y') + ".img";
  MakeFile(Path(fits));
  ChooseInDialog(dialog, fits);
  WaitForCount(1);
  EXPECT_EQ(app->Items(), (Items{Path(fits)}));
}

TEST_F(InputList, BrisiDeletesTheSelectionAndSelectsTheFirstRemaining) {
  Browse("\"a.img\" \"b.img\" \"c.img\" \"d.img\" \"e.img\"");
  WaitForCount(5);
  app->SelectOnly({1, 3});
  app->Click(ids::kBrisi);
  WaitForCount(3);
  EXPECT_EQ(app->Items(), (Items{Path("a.img"), Path("c.img"), Path("e.img")}));
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{0}));
  EXPECT_TRUE(app->Enabled(ids::kBrisi));
}

TEST_F(InputList, BrisiWithEverythingSelectedEmptiesTheListAndDisablesItself) {
  Browse("\"a.img\" \"b.img\"");
  WaitForCount(2);
  app->Click(ids::kBrisi);
  WaitForCount(0);
  EXPECT_FALSE(app->Enabled(ids::kBrisi));
}

TEST_F(InputList, BrisiWithNothingSelectedDoesNothing) {
  Browse("\"a.img\" \"b.img\"");
  WaitForCount(2);
  app->SelectOnly({});
  app->Click(ids::kBrisi);
  app->Sync();
  EXPECT_EQ(app->Items(), (Items{Path("a.img"), Path("b.img")}));
  EXPECT_TRUE(app->SelectedIndexes().empty());
  EXPECT_TRUE(app->Enabled(ids::kBrisi)) << "clearing the selection leaves Brisi enabled";
}

// ---- Files dropped onto the window -------------------------------------------------

TEST_F(InputList, DroppedFilesAreListedAsBrowseListsThemFoldersLeftOut) {
  Browse(Path("a.img"));
  WaitForCount(1);
  app->SelectOnly({});
  const std::string slovenian = MakeFile(Path("\x8a" "entjur \xe8rni vrh.map"));  // Š č: any extension
  ::CreateDirectoryA(Path("zemljevidi.img").c_str(), nullptr);
  ASSERT_TRUE(app->DropFiles(app->CentreOf(ids::kListBox),
                             {Path("b.img"), Path("a.img"), Path("zemljevidi.img"), slovenian}));
  WaitForCount(4);
  EXPECT_EQ(app->Items(), (Items{Path("a.img"), Path("b.img"), Path("a.img"), slovenian}));
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{0, 1, 2, 3}));
  EXPECT_TRUE(app->Enabled(ids::kBrisi));

  // Anywhere on the window, not only on the list.
  ASSERT_TRUE(app->DropFiles(app->CentreOf(ids::kMemo), {Path("c.img")}));
  WaitForCount(5);
  EXPECT_EQ(app->Items().back(), Path("c.img"));
}

TEST_F(InputList, DroppingOnlyAFolderChangesNothing) {
  ::CreateDirectoryA(Path("zemljevidi").c_str(), nullptr);
  ASSERT_TRUE(app->DropFiles(app->CentreOf(ids::kListBox), {Path("zemljevidi")}));
  app->Sync();
  ::Sleep(200);
  app->Sync();
  EXPECT_TRUE(app->Items().empty());
  EXPECT_FALSE(app->Enabled(ids::kBrisi));

  Browse("\"a.img\" \"b.img\"");
  WaitForCount(2);
  app->SelectOnly({1});
  ASSERT_TRUE(app->DropFiles(app->CentreOf(ids::kListBox), {Path("zemljevidi")}));
  app->Sync();
  ::Sleep(200);
  app->Sync();
  EXPECT_EQ(app->Items().size(), 2u);
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{1})) << "the selection stays as it was";
}

// Dragged from a Linux file manager: an X client drags the files through XDND
// onto the window, shown straight on the X display (no virtual desktop), as
// scripts/run shows it on a user's desktop. Only where scripts/test runs the
// drag helper beside the suite.
TEST_F(InputList, FilesDraggedFromALinuxFileManagerAreListed) {
  if (!wineonly::DragHelperIsThere()) GTEST_SKIP() << "no X drag helper (scripts/test runs one)";
  const std::string slovenian = MakeFile(Path("\x8a" "entjur \xe8rni vrh.img"));  // Š č
  ::CreateDirectoryA(Path("zemljevidi").c_str(), nullptr);
  ASSERT_TRUE(wineonly::DragThroughX(app->CentreOf(ids::kListBox), {Path("b.img"), Path("zemljevidi"), slovenian}));
  WaitForCount(2);
  EXPECT_EQ(app->Items(), (Items{Path("b.img"), slovenian}));
  EXPECT_EQ(app->SelectedIndexes(), (Indexes{0, 1}));
  ASSERT_TRUE(wineonly::DragThroughX(app->CentreOf(ids::kMemo), {Path("a.img")})) << "onto the output area";
  WaitForCount(3);
  EXPECT_EQ(app->Items().back(), Path("a.img"));
  app->Sync();
  EXPECT_TRUE(app->OtherWindows().empty());
}

// Inside Wine's virtual desktop (winecfg's "Emulate a virtual desktop", which a
// user's own Wine may use) the drop lands on the desktop's X window, owned by
// Wine's explorer.exe, which hands it on to the program: through OLE, the
// files are listed as anywhere else; the drop handle it would post instead
// is not the program's to read.
TEST_F(InputList, FilesDraggedInWinesVirtualDesktopAreListed) {
  if (!wineonly::DragHelperIsThere()) GTEST_SKIP() << "no X drag helper (scripts/test runs one)";
  const std::string slovenian = MakeFile(Path("\x8a" "entjur \xe8rni vrh.img"));  // Š č
  ASSERT_TRUE(wineonly::DragThroughX(app->CentreOf(ids::kListBox), {Path("b.img"), slovenian}));
  WaitForCount(2);
  ASSERT_EQ(app->WaitExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program is still there";
  EXPECT_EQ(app->Items(), (Items{Path("b.img"), slovenian}));
  EXPECT_TRUE(app->OtherWindows().empty());
  // The window goes on as before.
  Browse(Path("a.img"));
  WaitForCount(3);
  EXPECT_EQ(app->Items().back(), Path("a.img"));
}

// Tiles of a map, all chosen at once: thousands typed (or pasted) into the
// dialog's name field, and hundreds picked in its list. Every one is listed,
// in the dialog's order.
TEST_F(InputList, ThousandsOfFilesChosenAtOnceAreAllListed) {
  // Made once and kept for later runs: making them takes Wine some seconds.
  auto tilesIn = [](const std::string& folder, int count) {
    Items paths;
    for (int i = 1; i <= count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "6324%04d.img", i);
      const std::string path = folder + "\\" + name;
      paths.push_back(::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? MakeFile(path) : path);
    }
    return paths;
  };
  const std::string many = KeptFolder("tiles-6000");
  const Items typed = tilesIn(many, 6000);
  std::string names;
  for (const std::string& path : typed) names += "\"" + path.substr(many.size() + 1) + "\" ";
  ASSERT_GT(names.size(), 65519u) << "more than a dialog's usual name buffer";
  BrowseIn(many, names);
  ASSERT_TRUE(WaitUntil([&] { return app->ItemCount() == typed.size() || app->WaitExit(0) != STILL_ACTIVE; }));
  ASSERT_EQ(app->WaitExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program is still there";
  app->Sync();
  EXPECT_EQ(app->Items(), typed);

  // Picked in the dialog's list: a click on the first, then Shift+End.
  const std::string fewer = KeptFolder("tiles-300");
  const Items picked = tilesIn(fewer, 300);
  app->Click(ids::kBrowse);
  const HWND dialog = app->WaitDialog();
  GoToFolder(dialog, fewer);
  // The dialog makes a new list for the folder it goes to, maybe after the
  // field has emptied: the list is looked for again until it holds them all.
  HWND view = nullptr;
  LRESULT shown = -1;
  ASSERT_TRUE(WaitUntil([&] {
    view = ::FindWindowExA(::FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr), nullptr, "SysListView32",
                           nullptr);
    shown = view ? ::SendMessageA(view, LVM_GETITEMCOUNT, 0, 0) : -1;
    return shown == 300;
  }, 30000)) << "the dialog's list holds " << shown;
  RECT rc;
  ::GetWindowRect(view, &rc);
  auto selected = [&] { return ::SendMessageA(view, LVM_GETSELECTEDCOUNT, 0, 0); };
  // Clicked again if not taken (a busy machine: the dialog still busy with the
  // folder, or Wine's pointer echo).
  for (int attempt = 0; attempt < 3 && selected() != 1; ++attempt) {
    ClickAt({rc.left + 24, rc.top + 8});
    WaitUntil([&] { return selected() == 1; }, 3000);
  }
  ASSERT_EQ(selected(), 1);
  // Shift+End, again if it was not taken (the keys can come before the
  // click has given the list the focus).
  for (int attempt = 0; attempt < 3 && selected() != 300; ++attempt) {
    PressKeys({VK_SHIFT, VK_END});
    WaitUntil([&] { return selected() == 300; });
  }
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &gui);
  ASSERT_EQ(selected(), 300) << "the keys went to " << ClassOf(gui.hwndFocus);
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return app->ItemCount() == typed.size() + 300 || app->WaitExit(0) != STILL_ACTIVE; }));
  ASSERT_EQ(app->WaitExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program is still there";
  app->Sync();
  const Items items = app->Items();
  EXPECT_EQ(Items(items.begin() + static_cast<std::ptrdiff_t>(typed.size()), items.end()), picked);
}
