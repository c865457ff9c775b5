#include "ui/Main.h"

#include <algorithm>
#include <optional>

#include "app/AppError.h"
#include "app/Application.h"
#include "app/OwnText.h"
#include "app/Wine.h"
#include "runner/CommandLine.h"
#include "runner/RunText.h"
#include "runner/RunnerTexts.h"
#include "runner/Runner.h"
#include "ui/CodePage.h"
#include "ui/ControlIds.h"
#include "ui/Dialogs.h"
#include "ui/Input.h"
#include "ui/Layout.h"
#include "ui/ListRules.h"
#include "ui/MessageText.h"
#include "ui/OutputTally.h"
#include "ui/SameFile.h"
#include "ui/Texts.h"

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;

const std::wstring& FormClassName() {
  static const std::wstring name = OwnText(kMainWindowClass);
  return name;
}

void RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = FormClassName().c_str();
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw AppError("Cannot register the main window's class");
}

// Tahoma of the given pixel height, East European character set.
UniqueFont CreateWindowFont(int pixels) {
  UniqueFont font(::CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
  if (!font) throw AppError("Cannot create the window font");
  return font;
}

// Whether Windows would refuse to start a command line of the system's code
// page: it takes at most 32 767 characters, with the closing zero, and the
// tool is started with 8-bit text, of which it converts at most 65 534 bytes
// (more than that under UTF-8, with letters of three bytes).
bool TooLongToRun(const std::string& commandLine) {
  constexpr std::size_t kLongestNarrowLine = 65534;
  return commandLine.size() > kLongestNarrowLine || Widen(commandLine).size() > kLongestCommandLine;
}

// The line height the window is scaled by with a font of `pixels`.
int ScaleOf(HDC screen, HFONT font, int pixels) {
  SelectedObject selected(screen, font);
  TEXTMETRICW tm{};
  return ScalingLineHeight(::GetTextMetricsW(screen, &tm) ? tm.tmHeight : 0, pixels);
}

Rect RectOf(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
  try {
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        {RectOf(info.rcMonitor), RectOf(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  } catch (...) {
    return FALSE;  // no room: the monitors listed so far
  }
  return TRUE;
}

// The monitors as the system has them now; the primary screen alone where
// they cannot be listed.
std::vector<Monitor> Monitors() {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    const Rect screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT work;
    monitors.push_back({screen, ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) ? RectOf(work) : screen, true});
  }
  return monitors;
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance)
    : dropTarget_([this] { return gate_.TakesInput(); },
                  [this](const std::vector<std::wstring>& files) { FormDropFiles(nullptr, files); }),
      gate_(dropTarget_, taskbar_) {
  RegisterFormClass(instance, WndProc);
  TPanel::Register(instance);
  // Tahoma 8 pt in the screen's density, and the window scaled by its line
  // height; smaller where the window would not fit on the screen otherwise.
  Placement placed;
  {
    ScreenDC screen;
    const int pixels = ::MulDiv(layout::kFontPoints, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
    placed = PlaceWindow(Monitors(), pixels, [&](int fontPixels) {
      const UniqueFont font = CreateWindowFont(fontPixels);
      const int lineHeight = ScaleOf(screen.Get(), font.Get(), fontPixels);
      RECT frame{0, 0, ScaleToFont(layout::kClientWidth, lineHeight), ScaleToFont(layout::kClientHeight, lineHeight)};
      ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
      return Size{frame.right - frame.left, frame.bottom - frame.top};
    });
    font_ = CreateWindowFont(placed.fontPixels);
    lineHeight_ = ScaleOf(screen.Get(), font_.Get(), placed.fontPixels);
  }
  const Rect& at = placed.window;
  ::CreateWindowExW(kFormExStyle, FormClassName().c_str(), OwnText(texts::kFormCaption).c_str(), kFormStyle,
                    at.left, at.top, at.Width(), at.Height(), nullptr, nullptr, instance, this);
  if (!hwnd_ || !created_) {
    if (creationError_) std::rethrow_exception(creationError_);
    throw AppError("Cannot create the main window");
  }
}

TMainForm::~TMainForm() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

Box TMainForm::Scaled(const Box& box) const { return ScaleToFont(box, lineHeight_); }

void TMainForm::CreateControls() {
  const HFONT font = font_.Get();
  MainPanel.Create(hwnd_, TPanel::kClassName, L"", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                   Scaled({0, 0, layout::kClientWidth, layout::kClientHeight}), ids::kMainPanel, font);
  const HWND panel = MainPanel.Handle();

  // Created in focus order: the tab key follows the order of creation. Each
  // label comes just before its control, which screen readers name after it
  // (labels take no focus, so the tab order is the controls').
  Memo.Create(panel, L"EDIT", L"",
              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                  ES_AUTOVSCROLL | ES_AUTOHSCROLL,
              WS_EX_CLIENTEDGE, Scaled(layout::kMemo), ids::kMemo, font);
  Memo.AllowAnyLength();
  Memo.TakeBareLineFeeds();
  Memo.LeaveTabToNavigation();
  Zazeni.Create(panel, L"BUTTON", OwnText(texts::kZazeni), BS_PUSHBUTTON, 0, Scaled(layout::kZazeni),
                ids::kZazeni, font);
  Label1.Create(panel, L"STATIC", OwnText(texts::kLabelCommand), WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
                Scaled(layout::kLabel1), ids::kLabel1, font);
  Ukaz.Create(panel, L"EDIT", OwnText(texts::kUkazInitial),
              WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE,
              Scaled(layout::kUkaz), ids::kUkaz, font);
  Browse.Create(panel, L"BUTTON", OwnText(texts::kBrowse), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                Scaled(layout::kBrowse), ids::kBrowse, font);
  Label2.Create(panel, L"STATIC", OwnText(texts::kLabelInputs), WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
                Scaled(layout::kLabel2), ids::kLabel2, font);
  ListBox.Create(panel, L"LISTBOX", L"",
                 WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                     LBS_NOTIFY,
                 WS_EX_CLIENTEDGE, Scaled(layout::kListBox), ids::kListBox, font);
  Info.Create(panel, L"BUTTON", OwnText(texts::kInfo), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
              Scaled(layout::kInfo), ids::kInfo, font);
  Zdruzi.Create(panel, L"BUTTON", OwnText(texts::kZdruzi), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                Scaled(layout::kZdruzi), ids::kZdruzi, font);
  Izhod.Create(panel, L"BUTTON", OwnText(texts::kIzhod), WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
               Scaled(layout::kIzhod), ids::kIzhod, font);
  Brisi.Create(panel, L"BUTTON", OwnText(texts::kBrisi), WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
               0, Scaled(layout::kBrisi), ids::kBrisi, font);
  // Shown in the run button's slot while a tool runs; never in the tab order,
  // as all input but the stop is dropped then.
  Ustavi.Create(panel, L"BUTTON", OwnText(texts::kUstavi), BS_PUSHBUTTON, 0, Scaled(layout::kUstavi), ids::kUstavi,
                font);

  Zazeni.OnClick = [this](TControl* sender) { ZazeniClick(sender); };
  Browse.OnClick = [this](TControl* sender) { BrowseClick(sender); };
  Info.OnClick = [this](TControl* sender) { InfoClick(sender); };
  Zdruzi.OnClick = [this](TControl* sender) { ZdruziClick(sender); };
  Izhod.OnClick = [this](TControl* sender) { IzhodClick(sender); };
  Brisi.OnClick = [this](TControl* sender) { BrisiClick(sender); };
  Ustavi.OnClick = [this](TControl* sender) { UstaviClick(sender); };
}

TButton* TMainForm::ButtonFromHandle(HWND handle) {
  for (TButton* button : {&Zazeni, &Browse, &Info, &Zdruzi, &Izhod, &Brisi, &Ustavi})
    if (button->Handle() == handle) return button;
  return nullptr;
}

void TMainForm::Show(int showCommand) {
  ::ShowWindow(hwnd_, showCommand);
  ::UpdateWindow(hwnd_);
}

void TMainForm::Close() { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT CALLBACK TMainForm::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TMainForm*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);

  if (msg == WM_CREATE) {
    // An error while the window is built fails the creation; the entry shows
    // it under the default title.
    try {
      const LRESULT result = self->HandleMessage(msg, wp, lp);
      self->created_ = true;
      return result;
    } catch (...) {
      self->creationError_ = std::current_exception();
      return -1;
    }
  }
  const LRESULT result = GuardMessage([&] { return self->HandleMessage(msg, wp, lp); });
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (const std::optional<LRESULT> answer = gate_.Answer(msg, wp, lp)) return *answer;
  if (taskbar_.Created(msg)) return 0;
  switch (msg) {
    case WM_CREATE:
      CreateControls();
      gate_.Attach(hwnd_, Ustavi.Handle());
      taskbar_.Attach(hwnd_);
      memoName_.Set(Memo.Handle(), OwnText(texts::kMemoName));
      ::DragAcceptFiles(hwnd_, TRUE);
      dropTarget_.Register(hwnd_);
      FormCreate(nullptr);
      return 0;
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED && MainPanel.Handle())
        ::MoveWindow(MainPanel.Handle(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED && lp)
        if (TButton* button = ButtonFromHandle(reinterpret_cast<HWND>(lp))) {
          const TBusyGate::Job job(gate_);
          button->Click();
        }
      return 0;
    case WM_DROPFILES: {
      if (!wine::IsOwnDrop(reinterpret_cast<HDROP>(wp))) return 0;
      const UniqueDrop drop(reinterpret_cast<HDROP>(wp));
      FormDropFiles(nullptr, DroppedFiles(drop.Get()));
      return 0;
    }
    case TDropTarget::kDroppedMessage:
      dropTarget_.Deliver();
      return 0;
    case WM_ACTIVATE:
      // Keep the focus on the control that had it, as a dialog does.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) focused_ = focus;
      } else {
        taskbar_.Activated();
        if (!HIWORD(wp)) ::SetFocus(focused_ && ::IsWindow(focused_) ? focused_ : Memo.Handle());
      }
      return 0;
    case WM_DESTROY:
      dropTarget_.Revoke();
      memoName_.Clear();
      taskbar_.Detach();
      if (created_) ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

// ---- Event handlers ---------------------------------------------------------

void TMainForm::FormCreate(TControl*) {
  wchar_t caption[256] = {};
  ::GetWindowTextW(hwnd_, caption, 256);
  Application.Title = caption;
}

void TMainForm::IzhodClick(TControl*) { Close(); }

void TMainForm::BrowseClick(TControl*) {
  if (OpenDialog.Execute(hwnd_)) AddChosen(OpenDialog.Files);
  else if (OpenDialog.Failure) ShowMessageDialog(hwnd_, MessageKind::Error, FileDialogFailedMessage(false, OpenDialog.Failure));
}

void TMainForm::FormDropFiles(TControl*, const std::vector<std::wstring>& Files) {
  if (Files.empty()) return;
  AddChosen(Files);
}

void TMainForm::AddChosen(const std::vector<std::wstring>& paths) {
  std::vector<PathInCodePage> read;
  for (const std::wstring& path : paths) read.push_back(InCodePage(path));
  const ChosenPaths chosen = SortOutChosen(read);
  if (!chosen.listed.empty()) AddEntries(chosen.listed);
  if (chosen.leftOut.empty()) return;
  std::vector<std::wstring> leftOut;
  for (const std::string& name : chosen.leftOut) leftOut.push_back(Widen(name));
  ShowMessageDialog(hwnd_, MessageKind::Error, LeftOutMessage(leftOut));
}

void TMainForm::AddEntries(const std::vector<std::string>& paths) {
  ListBox.Append(paths);
  ListBox.SelectAll();
  Brisi.SetEnabled(ListBox.Count() > 0);
}

void TMainForm::BrisiClick(TControl*) {
  const auto plan = PlanDelete(Selection());
  if (!plan) return;
  for (std::size_t index : plan->remove) ListBox.Delete(static_cast<int>(index));
  if (plan->selectFirst) ListBox.SetSelected(0, true);
  Brisi.SetEnabled(plan->brisiEnabled);
}

void TMainForm::ZazeniClick(TControl*) {
  const TBusyGate::Run busy(gate_);
  // The tool's output is in the system's code page, the program's own lines
  // are its own words: each is converted from its own.
  OutputTally shown([this](const std::wstring& text) { return Memo.AppendText(text); });
  RunEnd end;
  try {
    end = RunHidden(
        Ukaz.Text(),
        [&](const OutputLines& lines) { shown.Offer(Widen(lines.text), lines.toolBytes); },
        [this] {
          const bool stop = gate_.Attend();
          // Room for the output to come, with a look at the window after it.
          return Memo.MakeRoomAhead() ? gate_.Attend() : stop;
        });
  } catch (const AppError& error) {
    gate_.DropInput();  // else a key pressed during the run would answer the error box
    // What the full output area did not show is told with the failure.
    if (shown.NotShown() == 0) throw;
    const std::wstring line = NotShownLine(shown.NotShown());
    throw AppError(error.Message() + L"\r\n\r\n" + line.substr(0, line.size() - 2));
  } catch (...) {
    gate_.DropInput();
    throw;
  }
  // Input given up to the end of the run goes with it, before the separator
  // shows the end; what comes after acts at once. A stop given as the tool
  // ended by itself still ends the job.
  gate_.Attend();
  if (!end.stopped && end.exitCode && IsCrashCode(*end.exitCode)) gate_.NoteCrash();
  const std::wstring endLines = RunEndLines(end.stopped, end.exitCode);
  const std::wstring separator = OwnText(runtexts::kSeparator) + L"\r\n";
  if (shown.Offer(Widen(end.last.text) + endLines + separator, end.last.toolBytes)) return;
  // The output area is full: after what it shows, how much it does not.
  const std::wstring told = endLines + NotShownLine(shown.NotShown());
  if (!Memo.AppendText(told + separator)) throw AppError(told.substr(0, told.size() - 2));
}

void TMainForm::UstaviClick(TControl*) { gate_.AskStop(); }

std::vector<std::string> TMainForm::Entries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < ListBox.Count(); ++i) entries.push_back(ListBox.Item(i));
  return entries;
}

std::vector<bool> TMainForm::Selection() const {
  std::vector<bool> selected;
  for (int i = 0; i < ListBox.Count(); ++i) selected.push_back(ListBox.Selected(i));
  return selected;
}

int TMainForm::SelectedCount() const {
  const std::vector<bool> selected = Selection();
  return static_cast<int>(std::count(selected.begin(), selected.end(), true));
}

void TMainForm::InfoClick(TControl*) {
  const int maps = SelectedCount();
  if (maps == 0) {
    ShowMessageDialog(hwnd_, MessageKind::Error, OwnText(texts::kSelectAtLeastOne));
    return;
  }
  const TBusyGate::Run busy(gate_);  // from the first run to the last
  int done = 0;
  taskbar_.Progress(0, static_cast<unsigned>(maps));
  for (int i = 0; i < ListBox.Count() && !gate_.StopAsked(); ++i) {
    if (!ListBox.Selected(i)) continue;
    Ukaz.SetText(InfoCommandLine(ListBox.Item(i)));
    Zazeni.Click();
    taskbar_.Progress(static_cast<unsigned>(++done), static_cast<unsigned>(maps));
  }
}

void TMainForm::ZdruziClick(TControl*) {
  if (SelectedCount() <= 1) {
    ShowMessageDialog(hwnd_, MessageKind::Error, OwnText(texts::kSelectAtLeastTwo));
    return;
  }
  // Nothing changes the list under the job's dialogs.
  const std::vector<std::string> entries = Entries();
  const std::vector<bool> selected = Selection();
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (selected[i]) inputs.push_back(entries[i]);
  // Windows starts no longer command line: a merge of more is told before
  // anything runs, and before the prompt where the inputs alone are too long.
  if (TooLongToRun(MergeCommandLine("", "", inputs))) {
    ShowMessageDialog(hwnd_, MessageKind::Error, MergeTooLongMessage(inputs.size()));
    return;
  }
  const auto typed = PromptDialog(hwnd_, OwnText(texts::kPromptCaption), OwnText(texts::kPromptText), L"");
  if (!typed) return;
  // The tool reads the description in the code page: one it cannot write
  // would reach it with question marks for letters.
  const std::optional<std::string> description = ExactlyInCodePage(*typed);
  if (!description) {
    ShowMessageDialog(hwnd_, MessageKind::Error, DescriptionNotWritableMessage(Widen(Shown(*typed))));
    return;
  }
  if (!SaveDialog.Execute(hwnd_)) {
    if (SaveDialog.Failure) ShowMessageDialog(hwnd_, MessageKind::Error, FileDialogFailedMessage(true, SaveDialog.Failure));
    else ShowMessageDialog(hwnd_, MessageKind::Warning, OwnText(texts::kMergeCancelled));
    return;
  }
  const std::optional<std::string> writable = OutputInCodePage(SaveDialog.Files.front());
  if (!writable) {
    ShowMessageDialog(hwnd_, MessageKind::Error, OutputNotWritableMessage(Widen(Shown(SaveDialog.Files.front()))));
    return;
  }
  const std::string& output = *writable;
  // The tool must never write over a map it reads: the output is refused when
  // it is a selected input written byte for byte, or the same file by another
  // of its names.
  const std::wstring& chosen = SaveDialog.Files.front();
  if (IsSelectedEntry(entries, selected, output) ||
      AnySelectedEntry(entries, selected, [&](const std::string& entry) { return IsSameFile(Widen(entry), chosen); })) {
    ShowMessageDialog(hwnd_, MessageKind::Error, SameNameMessage(Widen(output)));
    return;
  }
  const std::string line = MergeCommandLine(*description, output, inputs, IsLeadByteOfCodePage);
  if (TooLongToRun(line)) {
    ShowMessageDialog(hwnd_, MessageKind::Error, MergeTooLongMessage(inputs.size()));
    return;
  }
  Ukaz.SetText(line);
  Zazeni.Click();
}
