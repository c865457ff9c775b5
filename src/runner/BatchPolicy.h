#pragma once
// When a run shows the output it has collected. Showing costs the output area
// far more than reading costs the runner, and the window answers nothing
// while it shows: output that keeps coming is collected into batches, shown
// at least every 80 ms and each no larger than the area shows in about 200 ms
// (1 MB until a batch has been measured, then as the run's earlier batches
// measured). Output that stops is shown at once, but in a run's first half
// second, where it waits up to 2 ms for the tool's end: a tool that answers
// soon usually ends right after its answer, which then goes out in one update
// with the separator. What a tool that has ended wrote always goes with the
// separator. The policy knows times and sizes only, nothing of handles.
#include <cstddef>

class BatchPolicy {
 public:
  using Ms = unsigned long long;

  // What the run knows after a look at the pipe.
  struct State {
    std::size_t bytes = 0;      // collected and not shown yet
    Ms batchAgeMs = 0;          // since the first of them came
    Ms runAgeMs = 0;            // since the tool started
    bool pipeEmpty = false;     // the look found nothing more
    bool toolEnded = false;     // known before that look
    bool waitedForEnd = false;  // the moment for a quick answer's end has passed
  };

  enum class Step {
    Look,        // look at the pipe again after waiting at most `waitMs`
    WaitForEnd,  // the same, but a wait that ends with nothing new spends the moment
    Show,        // show the batch now
    End,         // the run has ended; the batch goes with the separator
  };
  struct Next {
    Step step;
    unsigned waitMs = 0;
    // Whether the wait also ends for the windows (a repaint, input, a
    // message from another program). While output flows they wait for the
    // next batch, and are attended after it is shown (the runner looks for
    // a key between reads all the same).
    bool windows = false;
  };

  Next Decide(const State& state) const;

  // A batch of `bytes` took `ms` to show: later batches hold what the area
  // shows in the budget's time, as measured on batches large enough to tell.
  void Shown(std::size_t bytes, Ms ms);
  std::size_t BatchLimit() const { return limit_; }

  static constexpr Ms kCollectMs = 80;
  static constexpr Ms kShowBudgetMs = 200;
  static constexpr std::size_t kFirstBatchBytes = 1024 * 1024;
  static constexpr std::size_t kMeasuredBytes = 256 * 1024;
  static constexpr std::size_t kLargestBatchBytes = 64 * 1024 * 1024;
  static constexpr Ms kQuickAnswerMs = 500;
  static constexpr unsigned kEndGraceMs = 2;
  // A silent run looks again at least this often, in case a wake-up was missed.
  static constexpr unsigned kRecheckMs = 250;

 private:
  std::size_t limit_ = kFirstBatchBytes;
};
