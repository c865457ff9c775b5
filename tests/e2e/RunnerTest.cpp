// Running a command line from Ukaz: what reaches the output area, and what
// the user sees when the program cannot be started.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Harness.h"
#include "ui/ControlIds.h"

using namespace e2e;

namespace {

class Runner : public ::testing::Test {
 protected:
  void SetUp() override { app = std::make_unique<Program>(); }

  // Runs one command line to its end; the output area's text afterwards.
  std::string RunToEnd(const std::string& commandLine) {
    const std::size_t before = CountOf(Memo(), kSeparatorLine);
    app->Run(commandLine);
    EXPECT_TRUE(app->WaitSeparators(before + 1)) << "the run did not end: " << commandLine;
    return Memo();
  }

  std::string Memo() const { return app->Text(ids::kMemo); }

  std::unique_ptr<Program> app;
};

std::string Pattern(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>('a' + i % 26);
  return bytes;
}

std::vector<std::string> LinesBefore(const std::string& memo, const std::string& end) {
  std::vector<std::string> lines;
  const std::string body = memo.substr(0, memo.find(end));
  for (std::size_t pos = 0; pos < body.size();) {
    const std::size_t br = body.find("\r\n", pos);
    lines.push_back(body.substr(pos, br - pos));
    pos = br + 2;
  }
  return lines;
}

}  // namespace

TEST_F(Runner, AToolThatWritesNothingLeavesJustTheSeparator) {
  EXPECT_EQ(RunToEnd(Tool("")), kSeparatorLine);
  EXPECT_EQ(app->Text(ids::kUkaz), Tool("")) << "Ukaz keeps the command line";
}

TEST_F(Runner, StandardErrorShowsLikeStandardOutputInWriteOrder) {
  EXPECT_EQ(RunToEnd(Tool("out:one sleep:150 err:two sleep:150 out:three sleep:150 err:four")),
            std::string("one\r\ntwo\r\nthree\r\nfour\r\n") + kSeparatorLine);
}

TEST_F(Runner, ChunksOfAtMost1023BytesEachOnItsOwnLine) {
  for (std::size_t size : {1022u, 1023u, 1024u, 4096u, 65537u}) {
    app = std::make_unique<Program>();
    const std::string memo = RunToEnd(Tool("bytes:" + std::to_string(size)));
    std::string joined;
    for (const std::string& line : LinesBefore(memo, kSeparatorLine)) {
      EXPECT_LE(line.size(), 1023u) << size;
      joined += line;
    }
    EXPECT_EQ(joined, Pattern(size)) << size;
  }
}

TEST_F(Runner, OutputWrittenJustBeforeTheToolEndsIsNeverLost) {
  std::string expected;
  for (int i = 0; i < 25; ++i) {
    RunToEnd(Tool("out:last-words exit:3"));
    expected += std::string("last-words\r\n") + kSeparatorLine;
  }
  EXPECT_EQ(Memo(), expected);
}

// A tool that crashes (here it ends with the code of an access violation) is
// told apart from one that did its work; any other exit code adds nothing.
TEST_F(Runner, ACrashIsNamedBeforeTheSeparatorOtherExitCodesAddNothing) {
  EXPECT_EQ(RunToEnd(Tool("out:half exit:0xC0000005")),
            std::string("half\r\nOrodje se je nenormalno kon\xe8" "alo (koda 0xC0000005).\r\n") + kSeparatorLine);
  const std::string before = Memo();
  EXPECT_EQ(RunToEnd(Tool("out:failed exit:1")), before + "failed\r\n" + kSeparatorLine);
  EXPECT_EQ(RunToEnd(Tool("out:failed exit:-1")), before + "failed\r\n" + kSeparatorLine + "failed\r\n" + kSeparatorLine);
}

TEST_F(Runner, AZeroByteDoesNotHideWhatFollows) {
  EXPECT_EQ(RunToEnd(Tool("out:before\\0after")), std::string("beforeafter\r\n") + kSeparatorLine);
}

TEST_F(Runner, AMegabyteArrivesWhole) {
  const std::string memo = RunToEnd(Tool("bytes:1048576"));
  std::string joined;
  for (const std::string& line : LinesBefore(memo, kSeparatorLine)) joined += line;
  EXPECT_EQ(joined.size(), 1048576u);
  EXPECT_TRUE(joined == Pattern(1048576));
}

TEST_F(Runner, ThreeRunsOfTwentyKilobytesAreAllKept) {
  for (int i = 0; i < 3; ++i) RunToEnd(Tool("bytes:20000"));
  const std::string memo = Memo();
  EXPECT_EQ(CountOf(memo, kSeparatorLine), 3u);
  std::string joined;
  for (const std::string& line : LinesBefore(memo, "\x01")) joined += line == "-----------------------------------------------" ? "" : line;
  EXPECT_EQ(joined, Pattern(20000) + Pattern(20000) + Pattern(20000));
}

TEST_F(Runner, TwoRunsInARowKeepBothOutputs) {
  RunToEnd(Tool("out:first"));
  EXPECT_EQ(RunToEnd(Tool("out:second")),
            std::string("first\r\n") + kSeparatorLine + "second\r\n" + kSeparatorLine);
}

TEST_F(Runner, OutputShowsWhileTheToolStillRuns) {
  app->Run(Tool("out:early sleep:3000 out:late"));
  EXPECT_TRUE(WaitUntil([&] { return Memo().find("early") != std::string::npos; }, 2000));
  EXPECT_EQ(Memo().find("late"), std::string::npos);
  EXPECT_TRUE(app->WaitSeparators(1));
}

TEST_F(Runner, AMissingProgramShowsTheSystemErrorAndNoSeparator) {
  RunToEnd(Tool("out:before"));
  const std::string before = Memo();

  app->Run("C:\\nowhere\\missing.exe -i \"x.img\"");
  const HWND box = app->WaitDialog();
  ASSERT_NE(box, nullptr) << "no error box";
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.caption, "Zarvelt GUI v0.3");
  EXPECT_EQ(view.text.rfind("System Error.  Code: 2.\r\n", 0), 0u) << view.text;
  EXPECT_GT(view.text.size(), std::string("System Error.  Code: 2.\r\n").size()) << "the system's description";
  EXPECT_NE(view.text.back(), '\n');
  EXPECT_TRUE(view.hasIcon);
  EXPECT_FALSE(::IsWindowEnabled(app->Main())) << "the window takes no input while the box is up";
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  app->Sync();
  EXPECT_EQ(Memo(), before) << "nothing appended, not even the separator";
  EXPECT_EQ(app->Text(ids::kUkaz), "C:\\nowhere\\missing.exe -i \"x.img\"");

  // The window still reacts to the next click.
  EXPECT_EQ(RunToEnd(Tool("out:after")), before + "after\r\n" + kSeparatorLine);
}

TEST_F(Runner, AFileThatIsNotAProgramShowsItsErrorWithTheInsertionMarkerAsText) {
  const std::string folder = TestFolder("NotAProgram");
  const std::string fake = MakeFile(folder + "\\fake.exe", "this is not a program");
  app->Run("\"" + fake + "\"");
  const HWND box = app->WaitDialog();
  ASSERT_NE(box, nullptr) << "no error box";
  const MessageBoxView view = ReadMessageBox(box);
  EXPECT_EQ(view.text.rfind("System Error.  Code: 193.\r\n", 0), 0u) << view.text;
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
}

TEST_F(Runner, ASilentToolCostsLittleCpuAndTheWindowAnswers) {
  app->Run(Tool("sleep:3000"));
  ::Sleep(300);
  DWORD_PTR result = 0;
  EXPECT_NE(::SendMessageTimeoutA(app->Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result), 0)
      << "the window answers during the run";
  // Nothing asks the program anything while its CPU time is measured.
  const ProcessFigures before = FiguresOf(ProgramPath());
  ASSERT_GE(before.cpuMs, 0) << "the program's process was not found";
  const ULONGLONG start = ::GetTickCount64();
  ::Sleep(2000);
  const ProcessFigures after = FiguresOf(ProgramPath());
  const double wallMs = static_cast<double>(::GetTickCount64() - start);
  const double cpuMs = after.cpuMs - before.cpuMs;
  EXPECT_LT(cpuMs * 4, wallMs) << cpuMs << " ms of CPU in " << wallMs << " ms";
  EXPECT_TRUE(app->WaitSeparators(1));
}

// Started from the desktop the program has no console, so each tool it runs
// gets a console of its own: the tool still runs unseen, and what it writes
// still arrives whole.
TEST_F(Runner, WithoutAConsoleOfItsOwnTheProgramStillRunsToolsUnseen) {
  StartOptions options;
  options.withoutConsole = true;
  app = std::make_unique<Program>(options);
  auto shownWindows = [] {
    std::size_t count = 0;
    for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT))
      if (::IsWindowVisible(hwnd)) ++count;
    return count;
  };
  const std::size_t before = shownWindows();
  app->Run(Tool("out:one sleep:150 err:two sleep:600 out:three"));
  ::Sleep(450);
  EXPECT_EQ(shownWindows(), before) << "a window appeared while the tool ran";
  ASSERT_TRUE(app->WaitSeparators(1));
  EXPECT_EQ(Memo(), std::string("one\r\ntwo\r\nthree\r\n") + kSeparatorLine);
}
