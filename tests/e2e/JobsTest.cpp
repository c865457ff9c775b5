// The two jobs, Info o mapi and Združi v eno, from the buttons to the output,
// with the test tool in the map tool's place: it echoes its command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Harness.h"

#include <commctrl.h>
#include <shellapi.h>

#include "runner/CommandLine.h"
#include "ui/ControlIds.h"
#include "ui/DialogIds.h"

using namespace e2e;

namespace {

class Jobs : public ::testing::Test {
 protected:
  void SetUp() override {
    // Spaces in every path; the program and the tool side by side.
    app = std::make_unique<Program>(ProgramBesideTool(" maps", folder));
  }

  std::string Path(const std::string& name) const { return folder + "\\" + name; }

  void List(const std::string& names, std::size_t count) {
    app->Click(ids::kBrowse);
    ChooseInFolder(app->WaitDialog(), folder, names);
    ASSERT_TRUE(WaitUntil([&] { return app->Items().size() == count; }));
  }

  std::string Memo() const { return app->Text(ids::kMemo); }

  // Waits for a dialog other than `previous` (which may still be closing).
  HWND NextDialog(HWND previous = nullptr) {
    if (previous) {
      EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(previous); }));
    }
    return app->WaitDialog();
  }

  // Presses OK in a message dialog and returns what it showed.
  MessageBoxView Dismiss(HWND box) {
    EXPECT_NE(box, nullptr) << "no dialog";
    if (!box) return {};
    MessageBoxView view;
    view.caption = WindowText(box);
    view.text = WindowText(::GetDlgItem(box, IDC_MESSAGE_TEXT));
    view.hasIcon = ::IsWindowVisible(::GetDlgItem(box, IDC_MESSAGE_ICON)) != FALSE;
    EXPECT_EQ(WindowText(::GetDlgItem(box, IDOK)), "OK");
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    app->Sync();
    return view;
  }

  // Confirms the prompt with `description`; returns the save dialog.
  HWND Describe(const std::string& description) {
    const HWND prompt = app->WaitDialog();
    EXPECT_NE(prompt, nullptr) << "no prompt";
    if (!prompt) return nullptr;
    ::SendMessageA(::GetDlgItem(prompt, IDC_PROMPT_FIELD), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(description.c_str()));
    PressDialogButton(prompt, IDOK);
    return NextDialog(prompt);
  }

  // Merges the selected entries into `output` (typed into the save dialog).
  void Merge(const std::string& description, const std::string& output) {
    app->Click(ids::kZdruzi);
    const HWND save = Describe(description);
    ASSERT_NE(save, nullptr) << "no save dialog";
    ChooseInDialog(save, output);
  }

  std::string folder;
  std::unique_ptr<Program> app;
};

std::string Echoed(const std::string& commandLine) { return commandLine + "\r\n" + kSeparatorLine; }

}  // namespace

// ---- Info o mapi ----------------------------------------------------------------

TEST_F(Jobs, InfoWithAnEmptyListAsksForAFile) {
  app->Click(ids::kInfo);
  const MessageBoxView view = Dismiss(app->WaitDialog());
  EXPECT_EQ(view.caption, "Error");
  EXPECT_EQ(view.text, "Izbrati mora\x9a vsaj eno datoteko!");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(Memo(), "");
  EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ");
}

TEST_F(Jobs, InfoWithNothingSelectedAsksForAFileAndRunsNothing) {
  List("\"a.img\" \"b.img\"", 2);
  app->SelectOnly({});
  app->Click(ids::kInfo);
  EXPECT_EQ(Dismiss(app->WaitDialog()).text, "Izbrati mora\x9a vsaj eno datoteko!");
  EXPECT_EQ(Memo(), "");
}

TEST_F(Jobs, InfoRunsOncePerSelectedEntryInListOrder) {
  List("\"a.img\" \"b.img\" \"c.img\"", 3);
  app->SelectOnly({0, 2});
  app->Click(ids::kInfo);
  ASSERT_TRUE(app->WaitSeparators(2));
  app->Sync();
  const std::string first = "Zarvelt.exe -i \"" + Path("a.img") + "\"";
  const std::string second = "Zarvelt.exe -i \"" + Path("c.img") + "\"";
  EXPECT_EQ(Memo(), Echoed(first) + Echoed(second));
  EXPECT_EQ(app->Text(ids::kUkaz), second);
}

TEST_F(Jobs, InfoReportsAFileListedTwiceTwice) {
  List("a.img", 1);
  List("a.img", 2);
  app->Click(ids::kInfo);
  ASSERT_TRUE(app->WaitSeparators(2));
  const std::string line = "Zarvelt.exe -i \"" + Path("a.img") + "\"";
  EXPECT_EQ(Memo(), Echoed(line) + Echoed(line));
}

TEST_F(Jobs, InfoStopsAtTheFirstEntryWhenTheToolIsMissing) {
  List("\"a.img\" \"b.img\"", 2);
  ASSERT_TRUE(::DeleteFileA(Path("Zarvelt.exe").c_str()));
  app->Click(ids::kInfo);
  const HWND box = app->WaitDialog();
  ASSERT_NE(box, nullptr);
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, "Zarvelt GUI v0.3");
  EXPECT_EQ(view.text.rfind("System Error.  Code: 2.\r\n", 0), 0u) << view.text;
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  app->Sync();
  EXPECT_TRUE(app->OtherWindows().empty()) << "the job ended: no second error";
  EXPECT_EQ(Memo(), "");
  EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe -i \"" + Path("a.img") + "\"");
}

// ---- Združi v eno ---------------------------------------------------------------

TEST_F(Jobs, MergeWithOneSelectedAsksForTwoBeforeAnyOtherDialog) {
  List("\"a.img\" \"b.img\" \"c.img\"", 3);
  app->SelectOnly({1});
  app->Click(ids::kZdruzi);
  const MessageBoxView view = Dismiss(app->WaitDialog());
  EXPECT_EQ(view.caption, "Error");
  EXPECT_EQ(view.text, "Izbrati mora\x9a vsaj dve datoteki!");
  EXPECT_TRUE(app->OtherWindows().empty());
  EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ");
}

TEST_F(Jobs, ThePromptAsksForADescriptionStartingEmpty) {
  List("\"a.img\" \"b.img\"", 2);
  for (int press = 0; press < 2; ++press) {
    app->Click(ids::kZdruzi);
    const HWND prompt = app->WaitDialog();
    ASSERT_NE(prompt, nullptr);
    const HWND field = ::GetDlgItem(prompt, IDC_PROMPT_FIELD);
    EXPECT_EQ(WindowText(prompt), "Vnesi opis");
    EXPECT_EQ(WindowText(::GetDlgItem(prompt, IDC_PROMPT_TEXT)), "Opis zdru\x9e" "ene mape:");
    EXPECT_EQ(WindowText(field), "") << "nothing is remembered from an earlier press";
    EXPECT_EQ(::SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 255);
    EXPECT_EQ(WindowText(::GetDlgItem(prompt, IDOK)), "OK");
    EXPECT_EQ(WindowText(::GetDlgItem(prompt, IDCANCEL)), "Cancel");
    EXPECT_EQ(::SendMessageA(prompt, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    RECT rc;
    ::GetWindowRect(prompt, &rc);
    EXPECT_EQ(rc.left, (::GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2);
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    HoldForPicture();
    // A click on Info that another program sends under the prompt starts nothing.
    DWORD_PTR result = 0;
    EXPECT_TRUE(::SendMessageTimeoutA(app->Control(ids::kInfo), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result));
    ::Sleep(300);
    EXPECT_EQ(app->OtherWindows(), std::vector<HWND>{prompt}) << "only the prompt";
    // Cancelling changes nothing and shows nothing.
    PressDialogButton(prompt, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }));
    app->Sync();
    EXPECT_TRUE(app->OtherWindows().empty());
  }
  EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ");
  EXPECT_EQ(Memo(), "");
}

TEST_F(Jobs, CancellingTheSaveDialogWarns) {
  List("\"a.img\" \"b.img\"", 2);
  app->Click(ids::kZdruzi);
  const HWND save = Describe("opis");
  ASSERT_NE(save, nullptr);
  CancelDialog(save);
  const MessageBoxView view = Dismiss(NextDialog());
  EXPECT_EQ(view.caption, "Warning");
  EXPECT_EQ(view.text, "Zdru\x9e" "evanje datotek je bilo preklicano...");
  EXPECT_TRUE(view.hasIcon);
  EXPECT_EQ(Memo(), "");
}

TEST_F(Jobs, MergeRunsTheToolOnceWithTheWholeCommandLine) {
  List("\"a.img\" \"b.img\" \"c.img\"", 3);
  app->SelectOnly({0, 2});
  Merge("Moja karta \x9a\x9e", Path("new.img"));
  ASSERT_TRUE(app->WaitSeparators(1));
  app->Sync();
  const std::string line = "Zarvelt.exe -m \"Moja karta \x9a\x9e\" -jo \"" + Path("new.img") + "\" \"" +
                           Path("a.img") + "\" \"" + Path("c.img") + "\" ";
  EXPECT_EQ(app->Text(ids::kUkaz), line);
  EXPECT_EQ(Memo(), Echoed(line));
}

// How the tool splits the command line it was given, as a Windows console
// program's runtime does (CommandLineToArgvW): the tool echoes it first.
std::vector<std::string> ArgumentsOfTheLastRun(const std::string& memo) {
  const std::size_t end = memo.rfind("\r\n" + std::string(kSeparatorLine));
  const std::size_t before = memo.rfind(kSeparatorLine, end);
  const std::size_t start = before == std::string::npos ? 0 : before + std::strlen(kSeparatorLine);
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(Wide(memo.substr(start, end - start)).c_str(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    std::string narrow(std::wcslen(wide[i]) * 2 + 1, '\0');
    narrow.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_ACP, 0, wide[i], -1, narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr) - 1));
    arguments.push_back(narrow);
  }
  ::LocalFree(wide);
  return arguments;
}

// Whatever the description holds, the tool reads it whole, and the output and
// the inputs after it; one without a double quote or a trailing backslash is
// put between quotes byte for byte, as before.
TEST_F(Jobs, TheToolReadsTheDescriptionWhole) {
  List("\"a.img\" \"b.img\"", 2);
  const struct {
    std::string description;
    bool asBefore;  // between quotes byte for byte
  } cases[] = {
      {"", true}, {"Moja karta\\stara \xe8\x9e\x9a", true},
      {"opis\\", false}, {"Karta \"Gorenjska\"", false}, {"C:\\karte\\", false},
  };
  std::size_t runs = 0;
  for (const auto& c : cases) {
    const std::string output = Path("out" + std::to_string(runs) + ".img");
    Merge(c.description, output);
    ASSERT_TRUE(app->WaitSeparators(++runs)) << c.description;
    const std::string ukaz = app->Text(ids::kUkaz);
    if (c.asBefore) {
      EXPECT_EQ(ukaz.rfind("Zarvelt.exe -m \"" + c.description + "\" -jo \"" + output + "\" ", 0), 0u) << ukaz;
    }
    EXPECT_EQ(ArgumentsOfTheLastRun(Memo()),
              (std::vector<std::string>{"Zarvelt.exe", "-m", c.description, "-jo", output, Path("a.img"), Path("b.img")}))
        << ukaz;
  }
  // One the code page cannot write is refused before the save dialog: the
  // message shows a question mark for each letter it cannot show.
  app->Click(ids::kZdruzi);
  const HWND prompt = app->WaitDialog();
  ASSERT_NE(prompt, nullptr);
  ::SendMessageW(::GetDlgItem(prompt, IDC_PROMPT_FIELD), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"\x041a\x0430\x0440\x0442\x0430 Espa\x00f1" L"a"));  // Карта España
  PressDialogButton(prompt, IDOK);
  const MessageBoxView view = Dismiss(NextDialog(prompt));
  EXPECT_EQ(view.caption, "Error");
  EXPECT_EQ(view.text.rfind("Opisa ni mogo\xe8" "e zapisati v kodni strani sistema", 0), 0u) << view.text;
  EXPECT_NE(view.text.find("\n\n????? Espa?a\n\n"), std::string::npos) << view.text;
  EXPECT_TRUE(app->OtherWindows().empty()) << "no save dialog";
  EXPECT_EQ(CountOf(Memo(), kSeparatorLine), runs) << "no run";
}

TEST_F(Jobs, TheOutputCannotBeASelectedInput) {
  List("\"a.img\" \"b.img\"", 2);
  app->Click(ids::kZdruzi);
  const HWND save = Describe("opis");
  ChooseInDialog(save, Path("b.img"));
  const HWND box = NextDialog();
  ASSERT_NE(box, nullptr);
  HoldForPicture();
  EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(box, IDC_MESSAGE_TEXT), GWL_STYLE) & SS_NOPREFIX);
  const MessageBoxView view = Dismiss(box);
  EXPECT_EQ(view.caption, "Error");
  EXPECT_EQ(view.text, "Ne more\x9a shraniti pod isto ime, kot je datoteka katero zdru\x9euje\x9a!\n\n\"" +
                           Path("b.img") + "\"");
  EXPECT_EQ(Memo(), "") << "no run";
  EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ");
}

TEST_F(Jobs, AnAmpersandInTheSameNameMessageIsShownAsItIs) {
  const std::string rd = folder + "\\R&D";
  ::CreateDirectoryA(rd.c_str(), nullptr);
  MakeFile(rd + "\\x.img");
  MakeFile(rd + "\\y.img");
  app->Click(ids::kBrowse);
  ChooseInFolder(app->WaitDialog(), rd, "\"x.img\" \"y.img\"");
  ASSERT_TRUE(WaitUntil([&] { return app->Items().size() == 2; }));
  app->Click(ids::kZdruzi);
  ChooseInDialog(Describe(""), rd + "\\x.img");
  const MessageBoxView view = Dismiss(NextDialog());
  EXPECT_NE(view.text.find("\"" + rd + "\\x.img\""), std::string::npos) << view.text;
}

// The tool must never write over a map it reads: an output that is a selected
// input by another of its names is refused too. Another file of the same name,
// or an input that is listed but not selected, may be the output.
TEST_F(Jobs, TheOutputIsRefusedWhenItIsTheSameFileAsASelectedInputHoweverItIsWritten) {
  const std::string sameName = "Ne more\x9a shraniti pod isto ime";
  auto refused = [&](const std::string& how) {
    const MessageBoxView view = Dismiss(NextDialog());
    EXPECT_EQ(view.text.rfind(sameName, 0), 0u) << how << ": " << view.text;
    EXPECT_EQ(Memo(), "") << how << ": no run";
    EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ") << how;
  };
  // Maps in a folder the code page cannot name are listed by their short
  // paths; the output is chosen by its long name. (Where there are no short
  // names they are not listed at all.)
  if (!WindowsPathsProgram()) {
    const std::wstring maps = Wide(folder) + L"\\\x043a\x0430\x0440\x0442\x044b";  // карты
    ASSERT_TRUE(::CreateDirectoryW(maps.c_str(), nullptr));
    MakeFile(maps + L"\\Moja karta.img");
    MakeFile(maps + L"\\druga karta.img");
    wchar_t shortMaps[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(maps.c_str(), shortMaps, MAX_PATH), 0u);
    std::string shortFolder(MAX_PATH, '\0');
    shortFolder.resize(static_cast<std::size_t>(
        ::WideCharToMultiByte(CP_ACP, 0, shortMaps, -1, shortFolder.data(), MAX_PATH, nullptr, nullptr) - 1));
    // One typed in other letter case: its short path still leads to it.
    app->Click(ids::kBrowse);
    ChooseInFolder(app->WaitDialog(), shortFolder, std::wstring(L"\"MOJA KARTA.IMG\" \"druga karta.img\""));
    ASSERT_TRUE(WaitUntil([&] { return app->Items().size() == 2 || !app->OtherWindows().empty(); }));
    ASSERT_TRUE(app->OtherWindows().empty()) << "no file left out";
    ASSERT_EQ(app->Items().size(), 2u);
    EXPECT_EQ(app->Items()[0].rfind(shortFolder + "\\", 0), 0u) << "listed by a short path: " << app->Items()[0];
    app->Click(ids::kZdruzi);
    ChooseInDialog(Describe("x"), maps + L"\\Moja karta.img");
    refused("the long name of an input listed by its short path");

    app->SelectOnly({0, 1});
    app->Click(ids::kBrisi);
    ASSERT_TRUE(WaitUntil([&] { return app->Items().empty(); }));
  }
  List("\"a.img\" \"b.img\" \"c.img\"", 3);
  app->SelectOnly({0, 1});
  Merge("x", Path("A.IMG"));
  refused("other letter case");
  ASSERT_TRUE(::CreateHardLinkA(Path("link.img").c_str(), Path("b.img").c_str(), nullptr));
  Merge("x", Path("link.img"));
  refused("a hard link");

  ::CreateDirectoryA(Path("drugje").c_str(), nullptr);
  MakeFile(Path("drugje\\a.img"));
  Merge("x", Path("drugje\\a.img"));
  ASSERT_TRUE(app->WaitSeparators(1)) << "the same name in another folder";
  Merge("x", Path("c.img"));
  ASSERT_TRUE(app->WaitSeparators(2)) << "an input that is not selected";
  EXPECT_NE(app->Text(ids::kUkaz).find("-jo \"" + Path("c.img") + "\""), std::string::npos) << app->Text(ids::kUkaz);
}

TEST_F(Jobs, ANameTypedWithoutExtensionGetsImgAndALongOneOnlyWhatFits) {
  List("\"a.img\" \"b.img\"", 2);
  Merge("opis", Path("novo"));
  ASSERT_TRUE(app->WaitSeparators(1));
  EXPECT_NE(app->Text(ids::kUkaz).find("-jo \"" + Path("novo.img") + "\""), std::string::npos)
      << app->Text(ids::kUkaz);

  // A name pasted into the save dialog is cut to what a path in the folder
  // can hold with the extension the dialog adds (the dialog opens in the
  // folder of the name it returned last).
  app->Click(ids::kZdruzi);
  const HWND save = Describe("opis");
  ASSERT_NE(save, nullptr);
  const auto field = reinterpret_cast<HWND>(::SendMessageA(::GetDlgItem(save, 0x47c), CBEM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(field, nullptr);
  const std::wstring name(300, L'x');
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, (name.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(text), name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(text);
  ::SetClipboardData(CF_UNICODETEXT, text);
  ::CloseClipboard();
  ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ::SendMessageW(field, WM_PASTE, 0, 0);
  const std::string pasted = WindowText(field);
  EXPECT_EQ(pasted, std::string(MAX_PATH - 1 - folder.size() - 1 - 4, 'x'));
  PressDialogButton(save, IDOK);
  ASSERT_TRUE(app->WaitSeparators(2)) << "the program took it";
  EXPECT_NE(app->Text(ids::kUkaz).find("-jo \"" + Path(pasted + ".img") + "\""), std::string::npos)
      << app->Text(ids::kUkaz);
}

// Windows starts a command line of at most 32 766 characters and its closing
// zero. A merge whose line would be longer is told before it runs, and
// before the prompt where the inputs alone are too long; one exactly that
// long runs, and the tool reads it whole.
TEST_F(Jobs, AMergeLongerThanWindowsStartsIsToldBeforeItRuns) {
  const std::string output = Path("out.img");
  const std::size_t fixed = std::strlen("Zarvelt.exe -m \"") + std::strlen("\" -jo \"") + output.size() + 2;
  // Maps with long names, as many as leave room for a description of less
  // than 255 characters.
  auto name = [](std::size_t i) { return "karta " + std::to_string(1000 + i) + " " + std::string(150, 'x') + ".img"; };
  const std::size_t each = folder.size() + 1 + name(0).size() + 3;
  const std::size_t count = (kLongestCommandLine - fixed) / each;
  const std::size_t room = kLongestCommandLine - fixed - count * each;
  ASSERT_LT(room, 255u);
  std::string names;
  for (std::size_t i = 0; i < count + 2; ++i) {
    MakeFile(Path(name(i)));
    if (i < count) names += "\"" + name(i) + "\" ";
  }
  List(names, count);
  auto told = [&](std::size_t files) {
    const MessageBoxView view = Dismiss(app->WaitDialog());
    EXPECT_EQ(view.caption, "Error");
    EXPECT_EQ(view.text.rfind("Ukazna vrstica za zdru\x9e" "evanje izbranih datotek (" + std::to_string(files) + ")", 0), 0u)
        << view.text;
    EXPECT_NE(view.text.find("32 766"), std::string::npos) << view.text;
    EXPECT_EQ(CountOf(Memo(), kSeparatorLine), 0u) << "no run";
    EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ");
  };
  // One character too many, with the description.
  app->Click(ids::kZdruzi);
  ChooseInDialog(Describe(std::string(room + 1, 'd')), output);
  told(count);
  // Exactly as many.
  Merge(std::string(room, 'd'), output);
  ASSERT_TRUE(app->WaitSeparators(1));
  const std::string line = app->Text(ids::kUkaz);
  EXPECT_EQ(line.size(), kLongestCommandLine);
  // The tool echoes it, in lines of 1023 bytes.
  std::string echoed = Memo();
  for (std::size_t at; (at = echoed.find("\r\n")) != std::string::npos;) echoed.erase(at, 2);
  EXPECT_TRUE(echoed == line + std::string(kSeparatorLine, 47)) << "the tool read it whole";
  // The inputs alone too long: told before the prompt.
  List("\"" + name(count) + "\" \"" + name(count + 1) + "\"", count + 2);
  const std::string memo = Memo();
  app->Click(ids::kZdruzi);
  const HWND box = app->WaitDialog();
  ASSERT_NE(box, nullptr);
  ASSERT_NE(::GetDlgItem(box, IDC_MESSAGE_TEXT), nullptr) << "a message, no prompt";
  const MessageBoxView view = Dismiss(box);
  EXPECT_EQ(view.text.find("(" + std::to_string(count + 2) + ")"), view.text.find('(')) << view.text;
  EXPECT_EQ(Memo(), memo) << "no run";
  EXPECT_TRUE(app->OtherWindows().empty());
}

TEST_F(Jobs, TheMessageDialogAnswersEnterAndEscAndCopiesWithCtrlC) {
  for (UINT key : {VK_RETURN, VK_ESCAPE}) {
    app->Click(ids::kInfo);
    const HWND box = app->WaitDialog();
    ASSERT_NE(box, nullptr);
    RECT rc;
    ::GetWindowRect(box, &rc);
    EXPECT_EQ(rc.left, (::GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2);
    EXPECT_EQ(rc.top, (::GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2);
    if (key == VK_RETURN) {
      auto clipboard = [] {
        std::string text;
        if (!::OpenClipboard(nullptr)) return text;
        if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
          text = static_cast<const char*>(::GlobalLock(data));
          ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return text;
      };
      if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
      }
      ::PostMessageA(::GetDlgItem(box, IDOK), WM_CHAR, 3, 1);  // Ctrl+C
      std::string copied;
      WaitUntil([&] { return !(copied = clipboard()).empty(); }, 3000);
      EXPECT_EQ(copied,
                "---------------------------\r\nError\r\n---------------------------\r\n"
                "Izbrati mora\x9a vsaj eno datoteko!\r\n---------------------------\r\nOK\r\n"
                "---------------------------\r\n");
    }
    ::PostMessageA(::GetDlgItem(box, IDOK), WM_KEYDOWN, key, 1);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); })) << "key " << key;
  }
}

TEST_F(Jobs, TheStandInMergesTheInputsIntoTheOutput) {
  ASSERT_TRUE(::CopyFileA((DriverFolder() + "\\Zarvelt.exe").c_str(), Path("Zarvelt.exe").c_str(), FALSE));
  MakeFile(Path("a.img"), "AAAA");
  MakeFile(Path("b.img"), "BB");
  List("\"a.img\" \"b.img\"", 2);
  Merge("Moja karta", Path("skupaj.img"));
  ASSERT_TRUE(app->WaitSeparators(1));
  const std::string memo = Memo();
  EXPECT_NE(memo.find("stand-in"), std::string::npos) << memo;
  EXPECT_NE(memo.find("Wrote"), std::string::npos) << memo;
  // Said in one piece, it arrives as one chunk: one line break of its own
  // after the last line, no empty lines between.
  EXPECT_EQ(CountOf(memo, "\r\n\r\n"), 1u) << memo;
  EXPECT_NE(memo.find("another.\r\n\r\n" + std::string(kSeparatorLine)), std::string::npos) << memo;
  HANDLE file = ::CreateFileA(Path("skupaj.img").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char bytes[16] = {};
  DWORD read = 0;
  ::ReadFile(file, bytes, sizeof bytes, &read, nullptr);
  ::CloseHandle(file);
  EXPECT_EQ(std::string(bytes, read), "AAAABB");
  HoldForPicture();
}

// ---- Names the code page cannot write ----------------------------------------------

// Under Wine every file has a short name in plain ASCII; on Windows a volume
// may have none (so has the build that takes Windows' paths), and then the
// file is named in an error instead of listed.
TEST_F(Jobs, ANameTheCodePageCannotWriteIsListedByAPathThatNamesTheSameFile) {
  ::SetEnvironmentVariableA("ZARVELT_TESTTOOL_STEPS", "opens");
  app = std::make_unique<Program>(ProgramBesideTool(" names", folder));
  const std::wstring wideFolder = Wide(folder) + L"\\";
  // Near letters of ñ and ø: a conversion that allowed them would name these.
  MakeFile(Path("Espana.img"));
  MakeFile(Path("Tromso.img"));
  const std::vector<std::wstring> outside = {L"\x043a\x0430\x0440\x0442\x0430.img", L"\x5730\x56fe.img",
                                             L"\x03a9mega.img", L"Espa\x00f1" L"a.img", L"Troms\x00f8.img"};
  for (const std::wstring& name : outside) MakeFile(wideFolder + name);
  const std::string slovenian = MakeFile(Path("\xe8\x9e\x9a.img"));  // čžš
  std::wstring names = L"\"" + Wide("\xe8\x9e\x9a.img") + L"\"";
  for (const std::wstring& name : outside) names += L" \"" + name + L"\"";
  names += L" \"a.img\"";
  app->Click(ids::kBrowse);
  ChooseInFolder(app->WaitDialog(), folder, names);
  if (WindowsPathsProgram()) {
    // No short names: the files are named in an error, as well as the code
    // page can show them, and the others listed; a drop goes the same way.
    ASSERT_TRUE(WaitUntil([&] { return !app->OtherWindows().empty(); }));
    const std::string message = Dismiss(app->WaitDialog()).text;
    EXPECT_EQ(message.rfind("Teh datotek ni mogo\xe8" "e dati orodju", 0), 0u) << message;
    EXPECT_NE(message.find(":\n\n" + Path("?????.img") + "\n" + Path("??.img") + "\n" + Path("?mega.img") + "\n" +
                           Path("Espa?a.img") + "\n" + Path("Troms?.img") + "\n\nPreimenujte"),
              std::string::npos)
        << message;
    ASSERT_TRUE(app->DropFiles(app->CentreOf(ids::kListBox), std::vector<std::wstring>{wideFolder + outside[0]}));
    EXPECT_NE(Dismiss(app->WaitDialog()).text.find("\n\n" + Path("?????.img") + "\n\n"), std::string::npos);
    EXPECT_EQ(app->Items(), (std::vector<std::string>{slovenian, Path("a.img")}));
    app->Click(ids::kInfo);
    ASSERT_TRUE(app->WaitSeparators(2));
    EXPECT_EQ(CountOf(Memo(), "opens: "), 2u) << Memo();
    return;
  }
  ASSERT_TRUE(WaitUntil([&] { return app->Items().size() == 7 || !app->OtherWindows().empty(); }));
  app->Sync();
  // Dropped, such a name goes the same way.
  ASSERT_TRUE(app->DropFiles(app->CentreOf(ids::kListBox), std::vector<std::wstring>{wideFolder + outside[0]}));
  ASSERT_TRUE(WaitUntil([&] { return app->Items().size() == 8; }));
  app->Sync();
  EXPECT_TRUE(app->OtherWindows().empty()) << "every file has a short name here";

  const std::vector<std::string> items = app->Items();
  for (const std::string& item : items) std::printf("listed: %s\n", item.c_str());
  EXPECT_EQ(items[0], slovenian) << "byte for byte as before";
  EXPECT_EQ(items[6], Path("a.img"));
  for (std::size_t i = 0; i < outside.size(); ++i) {
    EXPECT_EQ(items[i + 1].find('?'), std::string::npos) << items[i + 1];
    wchar_t longPath[MAX_PATH] = {};
    ::GetLongPathNameW(Wide(items[i + 1]).c_str(), longPath, MAX_PATH);
    EXPECT_EQ(longPath, wideFolder + outside[i]) << items[i + 1] << " names the chosen file";
  }
  EXPECT_EQ(items[7], items[1]);
  for (const char* nearName : {"Espana.img", "Tromso.img"})
    EXPECT_EQ(std::count(items.begin(), items.end(), Path(nearName)), 0) << "never the near name " << nearName;

  // The tool opens every one of them.
  app->Click(ids::kInfo);
  ASSERT_TRUE(app->WaitSeparators(8));
  for (const std::string& item : items) EXPECT_NE(Memo().find("opens: " + item + "\n"), std::string::npos) << item;
  EXPECT_EQ(Memo().find("cannot open"), std::string::npos) << Memo();
}

TEST_F(Jobs, AMergeOutputNamedOutsideTheCodePageGetsItsOwnErrorAndNoRun) {
  List("\"a.img\" \"b.img\"", 2);
  app->Click(ids::kZdruzi);
  ChooseInDialog(Describe("opis"), Wide(folder) + L"\\\x0432\x044b\x0445\x043e\x0434.img");  // a new file
  const MessageBoxView view = Dismiss(NextDialog());
  EXPECT_EQ(view.caption, "Error");
  EXPECT_EQ(view.text.rfind("Imena nove datoteke ni mogo\xe8" "e zapisati", 0), 0u) << view.text;
  EXPECT_EQ(view.text.find("Ne more\x9a shraniti"), std::string::npos) << "not the same-name error";
  EXPECT_EQ(Memo(), "") << "no run";
  EXPECT_EQ(app->Text(ids::kUkaz), "Zarvelt.exe ");
}

// ---- Any code page of the system -------------------------------------------------

// The program's own words read as written whatever the system's code page:
// run under 1250 with the suite, and under 1252 and 65001 on their own (see
// CMakeLists.txt). They are read as wide text, as the screen shows them.
TEST_F(Jobs, TheProgramsOwnTextsReadRightUnderTheSystemsCodePage) {
  std::printf("the system's code page: %u\n", ::GetACP());
  EXPECT_EQ(WideText(app->Control(ids::kZdruzi)), L"Zdru\u017ei v eno");
  app->Click(ids::kInfo);
  HWND box = app->WaitDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WideText(::GetDlgItem(box, IDC_MESSAGE_TEXT)), L"Izbrati mora\u0161 vsaj eno datoteko!");
  Dismiss(box);

  List("\"a.img\" \"b.img\"", 2);
  app->Click(ids::kZdruzi);
  const HWND prompt = app->WaitDialog();
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(WideText(::GetDlgItem(prompt, IDC_PROMPT_TEXT)), L"Opis zdru\u017eene mape:");
  ::SendMessageW(::GetDlgItem(prompt, IDC_PROMPT_FIELD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Karta \u010d\u0161\u017e"));
  HoldForPicture();
  PressDialogButton(prompt, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }));

  app->Run(Tool("exit:0xC0000005"));
  ASSERT_TRUE(app->WaitSeparators(1));
  EXPECT_EQ(WideText(app->Control(ids::kMemo)),
            L"Orodje se je nenormalno kon\u010dalo (koda 0xC0000005).\r\n" + Wide(kSeparatorLine));
}
