#pragma once
// What the main window does differently while it is busy: while a tool runs,
// and while a modal window of the program has it disabled (a job's prompt or
// file dialog, a message, the error box). The window procedure asks the gate
// first and handles only what the gate leaves to it.
//
// While a tool runs: the user's input is dropped and never acts later, but
// for the stop (a click or tap on the stop button, Esc); clicks that other
// programs send start nothing but the stop; files dropped are not taken; the
// pointer is the busy one but over the stop button; the session does not end
// without asking. While a modal window is open: no click and no drop acts on
// the window underneath. A close asked meanwhile is kept, and acted on once
// the window is idle again: after the whole job, any dialog and the error box.
#include <windows.h>

#include <optional>

class TDropTarget;
class TTaskbarButton;

class TBusyGate {
 public:
  TBusyGate(TDropTarget& drops, TTaskbarButton& taskbar) : drops_(drops), taskbar_(taskbar) {}
  TBusyGate(const TBusyGate&) = delete;
  TBusyGate& operator=(const TBusyGate&) = delete;

  // The window and its stop button, once they exist.
  void Attach(HWND window, HWND stop) {
    window_ = window;
    stop_ = stop;
  }

  // The answer to a message the gate decides; none for one the window
  // handles as it would when idle.
  std::optional<LRESULT> Answer(UINT msg, WPARAM wp, LPARAM lp);

  // Held while a click is handled, the whole of a job: a close asked
  // meanwhile waits for its end.
  class Job {
   public:
    explicit Job(TBusyGate& gate);
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;
    ~Job();

   private:
    TBusyGate& gate_;
  };

  // Held while a tool runs, and across the runs of a job, so that the
  // window stays busy between them: the stop button shows, the busy pointer,
  // drops are not taken, Windows is told why the session should wait. The
  // taskbar button shows the job from its first run to its end, and how it
  // ended: failed when an error leaves it or a run crashed.
  class Run {
   public:
    explicit Run(TBusyGate& gate);
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    ~Run();

   private:
    TBusyGate& gate_;
  };

  // While a tool runs: repaints, takes the user's input out of the queue
  // unused but for the stop. A press on the stop button is attended alone
  // until its release (at most half a second), so that its click is not
  // taken one batch of output late. True once a stop has been asked, since
  // the outermost Run began.
  bool Attend();
  // Drops the input waiting, as a run does (after a failed run, before the
  // error box, so that a key pressed meanwhile does not answer it).
  void DropInput() { DropWaitingInput(); }

  void AskStop();
  bool StopAsked() const { return stopAsked_; }
  // A run of the job ended with a crash of the tool.
  void NoteCrash() { crashed_ = true; }
  // Whether the window takes clicks, keys and drops now.
  bool TakesInput() const;

 private:
  bool Running() const { return runs_ > 0; }
  void AttendOnce();
  // True when Esc was pressed.
  bool DropWaitingInput();
  void RefreshCursor() const;
  void CloseIfKeptAndIdle();

  TDropTarget& drops_;
  TTaskbarButton& taskbar_;
  HWND window_ = nullptr;
  HWND stop_ = nullptr;
  int jobs_ = 0;  // Jobs held
  int runs_ = 0;  // Runs held
  bool stopAsked_ = false;
  bool crashed_ = false;
  int exceptionsAtStart_ = 0;  // in flight when the outermost Run began
  bool closeKept_ = false;
  bool pointerOverStop_ = false;
  bool pointerMoved_ = false;  // a move dropped since the last look at the pointer
  HWND focusBeforeRun_ = nullptr;
};
