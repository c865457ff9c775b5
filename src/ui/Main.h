#pragma once
// The main window: the input file list with its buttons, the two jobs, the
// command-line field, the output area, the hidden run button and the stop
// button that shows while a tool runs.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "app/Owned.h"
#include "ui/AccessibleName.h"
#include "ui/BusyGate.h"
#include "ui/Controls.h"
#include "ui/DropTarget.h"
#include "ui/TaskbarButton.h"

class TMainForm {
 public:
  explicit TMainForm(HINSTANCE instance);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;
  ~TMainForm();

  HWND Handle() const { return hwnd_; }
  void Show(int showCommand);
  void Close();

  // The window's controls and dialogs.
  TPanel MainPanel;
  TMemo Memo;
  TButton Zazeni;
  TEdit Ukaz;
  TButton Browse;
  TOpenDialog OpenDialog;
  TLabel Label1;
  TLabel Label2;
  TSaveDialog SaveDialog;
  TListBox ListBox;
  TButton Info;
  TButton Zdruzi;
  TButton Izhod;
  TButton Brisi;
  TButton Ustavi;

  // Event handlers.
  void ZazeniClick(TControl* Sender);
  void BrowseClick(TControl* Sender);
  void InfoClick(TControl* Sender);
  void FormCreate(TControl* Sender);
  void ZdruziClick(TControl* Sender);
  void IzhodClick(TControl* Sender);
  void BrisiClick(TControl* Sender);
  void UstaviClick(TControl* Sender);
  // Files dropped onto the window (folders already left out).
  void FormDropFiles(TControl* Sender, const std::vector<std::wstring>& Files);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  TButton* ButtonFromHandle(HWND handle);
  Box Scaled(const Box& box) const;
  std::vector<std::string> Entries() const;
  std::vector<bool> Selection() const;
  int SelectedCount() const;
  // Appends entries as a successful Browse does: then all selected, Brisi on.
  void AddEntries(const std::vector<std::string>& paths);
  // Appends the chosen or dropped files that the tool can be given, and then
  // names those it cannot in an error.
  void AddChosen(const std::vector<std::wstring>& paths);

  HWND hwnd_ = nullptr;
  UniqueFont font_;
  int lineHeight_ = 13;
  bool created_ = false;
  HWND focused_ = nullptr;  // the control that had the focus when the window was deactivated
  // Files dragged through OLE, where they come that way (see wine::). Revoked
  // while a tool runs: the program then answers no calls from other
  // programs, and drops come as WM_DROPFILES, which it leaves.
  TDropTarget dropTarget_;
  TTaskbarButton taskbar_;
  // The output area's name for screen readers, which have no label to read.
  TAccessibleName memoName_;
  // What the window does differently while a tool runs or a modal window of
  // the program is open.
  TBusyGate gate_;
  std::exception_ptr creationError_;
};
