// The main window as the user first sees it, its geometry, and leaving it.
#include <gtest/gtest.h>

#include <cstdio>

#include "Harness.h"
#include "WineOnly.h"
#include "ui/ControlIds.h"

using namespace e2e;

namespace {

struct Expected {
  int id;
  const char* className;
  RECT rect;  // left, top, right, bottom at 96 pixels per inch
  const char* text;
};

// Positions as the window is drawn at 96 pixels per inch.
const Expected kControls[] = {
    {ids::kLabel2, "Static", {8, 8, 94, 21}, "Vhodne datoteke:"},
    {ids::kListBox, "ListBox", {8, 24, 481, 113}, ""},
    {ids::kBrowse, "Button", {496, 24, 571, 49}, "Brskaj"},
    {ids::kBrisi, "Button", {496, 56, 571, 81}, "Brisi"},
    {ids::kIzhod, "Button", {496, 88, 571, 113}, "Izhod"},
    {ids::kInfo, "Button", {8, 120, 83, 145}, "Info o mapi"},
    {ids::kZdruzi, "Button", {136, 120, 211, 145}, "Zdru\x9ei v eno"},
    {ids::kZazeni, "Button", {496, 120, 571, 145}, "Za\x9e" "eni"},
    {ids::kLabel1, "Static", {8, 152, 85, 165}, "Ukazna vrstica: "},
    {ids::kUkaz, "Edit", {8, 168, 569, 189}, "Zarvelt.exe "},
    {ids::kMemo, "Edit", {8, 192, 577, 593}, ""},
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
  char text[64];
  std::snprintf(text, sizeof text, "{%ld,%ld,%ld,%ld}", r.left, r.top, r.right, r.bottom);
  return text;
}

}  // namespace

TEST(MainWindow, StartsWithAnEmptyListAndTheCommandLineStub) {
  Program app;
  EXPECT_EQ(WindowText(app.Main()), "Zarvelt GUI v0.3");
  EXPECT_TRUE(app.Items().empty());
  EXPECT_FALSE(app.Enabled(ids::kBrisi));
  EXPECT_TRUE(app.Enabled(ids::kBrowse));
  EXPECT_TRUE(app.Enabled(ids::kInfo));
  EXPECT_TRUE(app.Enabled(ids::kZdruzi));
  EXPECT_EQ(app.Text(ids::kUkaz), "Zarvelt.exe ");
  EXPECT_TRUE(::GetWindowLongA(app.Control(ids::kUkaz), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(app.Text(ids::kMemo), "");
  const LONG memoStyle = ::GetWindowLongA(app.Control(ids::kMemo), GWL_STYLE);
  EXPECT_TRUE(memoStyle & ES_READONLY);
  EXPECT_TRUE(memoStyle & ES_MULTILINE);
  EXPECT_TRUE(memoStyle & WS_VSCROLL);
  EXPECT_TRUE(memoStyle & WS_HSCROLL);
  EXPECT_EQ(app.Focus(), app.Control(ids::kMemo)) << "the output area holds the focus";
}

TEST(MainWindow, ControlsSitWhereTheyBelongAt96Dpi) {
  Program app;
  const RECT client = ClientRectOf(app.Main());
  EXPECT_EQ(client.right, 585);
  EXPECT_EQ(client.bottom, 601);
  EXPECT_TRUE(SameRect(RectIn(app.Panel(), app.Main()), client)) << "the panel fills the client area";
  for (const Expected& e : kControls) {
    const HWND control = app.Control(e.id);
    ASSERT_NE(control, nullptr) << e.text;
    EXPECT_EQ(ClassOf(control), e.className) << e.text;
    const RECT rect = RectIn(control, app.Panel());
    EXPECT_TRUE(SameRect(rect, e.rect)) << e.text << ": " << Show(rect) << " instead of " << Show(e.rect);
    EXPECT_EQ(WindowText(control), e.text);
  }
}

// Each run of the suite works the build it names: the 32-bit release program
// runs as a 32-bit process (WoW64 under Wine), the 64-bit build as a native one.
TEST(MainWindow, RunsAsTheBuildItWasMadeFor) {
  if (!ProgramBits()) GTEST_SKIP() << "--bits does not say which build this is";
  Program app;
  BOOL wow64 = FALSE;
  ASSERT_TRUE(::IsWow64Process(app.Process(), &wow64));
  EXPECT_EQ(wow64 ? 32 : 64, ProgramBits()) << ProgramPath();
}

TEST(MainWindow, ListTakesSeveralSelectedItemsInInsertionOrder) {
  Program app;
  const LONG style = ::GetWindowLongA(app.Control(ids::kListBox), GWL_STYLE);
  EXPECT_TRUE(style & LBS_EXTENDEDSEL);
  EXPECT_FALSE(style & LBS_SORT);
  EXPECT_FALSE(style & WS_HSCROLL);
}

TEST(MainWindow, RunButtonIsNeverShownNorFocused) {
  Program app;
  EXPECT_FALSE(app.Visible(ids::kZazeni));
  EXPECT_FALSE(::GetWindowLongA(app.Control(ids::kZazeni), GWL_STYLE) & WS_TABSTOP);
}

TEST(MainWindow, FixedSizeWithoutMaximise) {
  Program app;
  const LONG style = ::GetWindowLongA(app.Main(), GWL_STYLE);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);

  // The border offers no sizing handle to the mouse, at the edges or corners.
  RECT frame;
  ::GetWindowRect(app.Main(), &frame);
  const POINT edges[] = {{frame.right - 1, frame.bottom - 1},
                         {frame.left, (frame.top + frame.bottom) / 2},
                         {(frame.left + frame.right) / 2, frame.bottom - 1},
                         {frame.right - 1, (frame.top + frame.bottom) / 2}};
  for (const POINT& p : edges) {
    const LRESULT hit = ::SendMessageA(app.Main(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(hit < HTLEFT || hit > HTBOTTOMRIGHT) << "hit test " << hit << " at " << p.x << "," << p.y;
  }
}

TEST(MainWindow, OpensCentredOverTheDesktop) {
  Program app;
  RECT frame;
  ::GetWindowRect(app.Main(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  EXPECT_EQ(frame.left, (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
  EXPECT_EQ(frame.top, (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
}

TEST(MainWindow, CarriesAThirtyTwoPixelProgramIcon) {
  const std::string exe = ProgramPath();
  HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HICON icon = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  BITMAP bm{};
  ::GetObjectA(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_EQ(bm.bmHeight, 32);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(icon);
  ::FreeLibrary(module);
}

TEST(MainWindow, TabFollowsTheFocusOrder) {
  Program app;
  // Each label just before its control in the window order, where screen
  // readers look for a control's name.
  EXPECT_EQ(::GetWindow(app.Control(ids::kListBox), GW_HWNDPREV), app.Control(ids::kLabel2));
  EXPECT_EQ(::GetWindow(app.Control(ids::kUkaz), GW_HWNDPREV), app.Control(ids::kLabel1));
  ASSERT_EQ(app.Focus(), app.Control(ids::kMemo));
  // Brisi is disabled at start and the run button hidden: Tab passes them by.
  const int order[] = {ids::kUkaz, ids::kBrowse, ids::kListBox, ids::kInfo,
                       ids::kZdruzi, ids::kIzhod, ids::kMemo};
  for (int id : order) {
    app.PressKey(VK_TAB);
    WaitUntil([&] { return ::GetDlgCtrlID(app.Focus()) == id; }, 2000);
    EXPECT_EQ(::GetDlgCtrlID(app.Focus()), id);
  }
}

TEST(MainWindow, IzhodEndsTheProgramWithExitCodeZero) {
  Program app;
  app.Click(ids::kIzhod);
  EXPECT_EQ(app.WaitExit(), 0u);
}

TEST(MainWindow, ClosingFromTheTitleBarEndsTheProgramWithExitCodeZero) {
  Program app;
  ::PostMessageA(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(app.WaitExit(), 0u);
}

TEST(MainWindow, StartsMaximisedOrMinimisedWhenTheLaunchAsks) {
  {
    StartOptions options;
    options.show = SW_SHOWMAXIMIZED;
    Program app(options);
    EXPECT_TRUE(::IsZoomed(app.Main()));
  }
  {
    StartOptions options;
    options.show = SW_SHOWMINNOACTIVE;
    Program app(options);
    EXPECT_TRUE(::IsIconic(app.Main()));
  }
}

TEST(MainWindow, ScalesWithTheFontAt144Dpi) {
  if (!wineonly::Present()) GTEST_SKIP() << "the screen density is the user's own setting on Windows";
  wineonly::SetScreenDpi(144);
  struct Restore {
    ~Restore() { wineonly::SetScreenDpi(96); }
  } restore;
  Program app;

  // Tahoma 8 pt at 144 pixels per inch is 16 pixels high; its line height
  // decides the scale.
  HDC screen = ::GetDC(nullptr);
  HFONT font = ::CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, "Tahoma");
  HGDIOBJ old = ::SelectObject(screen, font);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(screen, &tm);
  ::SelectObject(screen, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, screen);
  const int h = tm.tmHeight;
  ASSERT_GT(h, 13);
  auto scaled = [h](int v) { return (v * h + 6) / 13; };

  const RECT client = ClientRectOf(app.Main());
  EXPECT_EQ(client.right, scaled(585));
  EXPECT_EQ(client.bottom, scaled(601));
  for (const Expected& e : kControls) {
    const RECT rect = RectIn(app.Control(e.id), app.Panel());
    const RECT want{scaled(e.rect.left), scaled(e.rect.top),
                    scaled(e.rect.left) + scaled(e.rect.right - e.rect.left),
                    scaled(e.rect.top) + scaled(e.rect.bottom - e.rect.top)};
    EXPECT_TRUE(SameRect(rect, want)) << e.text << ": " << Show(rect) << " instead of " << Show(want);
  }
}
