#pragma once
// Thin typed wrappers around the main window's child controls and its file
// dialogs. The window owns the controls: a wrapper only holds the handle.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Layout.h"

class TControl;
using TNotifyEvent = std::function<void(TControl* sender)>;

class TControl {
 public:
  TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return hwnd_; }
  // A wide control: its caption, the program's own words, shows as written
  // under any code page of the system.
  void Create(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
              const Box& box, int id, HFONT font);
  // The text in the system's code page (a command line).
  std::string Text() const;
  void SetText(const std::string& text);

 protected:
  HWND hwnd_ = nullptr;
};

class TLabel : public TControl {};

class TButton : public TControl {
 public:
  TNotifyEvent OnClick;
  // Runs the click handler at once, as a press of the button would.
  void Click();
  void SetEnabled(bool enabled);
};

class TEdit : public TControl {};

class TMemo : public TControl {
 public:
  // Lifts the edit control's default text limit.
  void AllowAnyLength();
  // Lets Tab and Shift+Tab move the focus on instead of going into the text,
  // as in any dialog: a read-only output area has no use for them.
  void LeaveTabToNavigation();
  // Takes a bare line feed as a line end, as a carriage return and line
  // feed are (Windows 10 1809 and later; older systems ignore it).
  void TakeBareLineFeeds();
  // Adds text as it is at the end of the memo, and shows the end; false when
  // the memo did not take it whole (it could not grow its buffer).
  bool AppendText(const std::wstring& text);
  // Room for the text to come, given before it is needed (when the text
  // fills three quarters of what the buffer was given room for), so that
  // the copy it costs comes on its own rather than on top of an append.
  // True when room was given.
  bool MakeRoomAhead();

 private:
  std::size_t room_ = 0;  // characters the text buffer was last given room for
};

class TListBox : public TControl {
 public:
  int Count() const;
  std::string Item(int index) const;
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  void SelectAll();
  void Delete(int index);
  // Appends each string at the end. Raises "Unable to insert a line" when the
  // list refuses one; the strings before it stay.
  void Append(const std::vector<std::string>& items);
};

// The panel that fills the client area: button-face background with a raised
// one-pixel bevel. It hands its children's notifications to its parent.
class TPanel : public TControl {
 public:
  static void Register(HINSTANCE instance);
  static constexpr const wchar_t* kClassName = L"TZarveltPanel";
};

// A common file dialog that remembers the name it returned last. It works
// in wide text, so that every name comes back whole, whatever its letters,
// and takes as many names as are chosen at once.
class TFileDialog {
 public:
  TFileDialog(bool save, DWORD options);
  TFileDialog(const TFileDialog&) = delete;
  TFileDialog& operator=(const TFileDialog&) = delete;

  // Shows the dialog; false when the user cancelled or the dialog failed.
  bool Execute(HWND owner);

  std::wstring FileName;            // the name shown at the next start
  std::vector<std::wstring> Files;  // the paths of the last successful choice
  unsigned long Failure = 0;        // why the last Execute failed (CommDlgExtendedError); 0 for a cancel

 private:
  bool save_;
  DWORD options_;
};

class TOpenDialog : public TFileDialog {
 public:
  TOpenDialog();
};

class TSaveDialog : public TFileDialog {
 public:
  TSaveDialog();
};
