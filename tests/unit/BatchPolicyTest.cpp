#include <gtest/gtest.h>

#include "runner/BatchPolicy.h"

namespace {

using Step = BatchPolicy::Step;
constexpr std::size_t kMB = 1024 * 1024;

struct Case {
  const char* what;
  BatchPolicy::State state;
  Step step;
  unsigned waitMs = 0;
  bool windows = false;
};

}  // namespace

// When a run shows its output: one table of what the run knows after a look
// at the pipe, and what it does next (the windows are waited for only while
// the run is silent; else they are attended after each batch).
TEST(BatchPolicy, WhenABatchIsShown) {
  // bytes, batch age, run age, pipe empty, tool ended, waited for the end
  const Case cases[] = {
      {"silent, nothing collected: sleep until something happens", {0, 0, 2000, true, false, false}, Step::Look, 250,
       true},
      {"output coming, nothing collected yet", {0, 0, 2000, false, false, false}, Step::Look, 0},
      {"the tool has ended and the pipe is empty", {0, 0, 2000, true, true, false}, Step::End},
      {"... with output left: it goes with the separator", {500, 10, 2000, true, true, false}, Step::End},
      {"a quick answer's end, output left", {500, 10, 100, true, true, true}, Step::End},
      {"output flowing, collected briefly", {64 * 1024, 40, 2000, false, false, false}, Step::Look, 0},
      {"output flowing, collected 80 ms", {64 * 1024, 80, 2000, false, false, false}, Step::Show},
      {"output flowing, the first batch's 1 MB", {kMB, 10, 2000, false, false, false}, Step::Show},
      {"output flowing after the tool's end (what it started)", {kMB - 1, 79, 2000, false, true, false}, Step::Look, 0},
      {"output stopped in the first half second: wait for the end", {500, 1, 100, true, false, false}, Step::WaitForEnd, 2},
      {"... and the moment passed", {500, 3, 100, true, false, true}, Step::Show},
      {"output stopped later in the run: shown at once", {500, 1, 500, true, false, false}, Step::Show},
  };
  const BatchPolicy policy;
  for (const Case& c : cases) {
    const BatchPolicy::Next next = policy.Decide(c.state);
    EXPECT_EQ(next.step, c.step) << c.what;
    EXPECT_EQ(next.waitMs, c.waitMs) << c.what;
    EXPECT_EQ(next.windows, c.windows) << c.what;
  }
}

// Batches hold what the output area shows in about 200 ms, as measured on
// batches large enough to tell, within 256 KB and 64 MB.
TEST(BatchPolicy, TheBatchLimitFollowsWhatShowingCost) {
  BatchPolicy policy;
  EXPECT_EQ(policy.BatchLimit(), kMB);
  policy.Shown(kMB, 400);
  EXPECT_EQ(policy.BatchLimit(), kMB / 2);
  EXPECT_EQ(policy.Decide({kMB / 2, 10, 2000, false, false, false}).step, Step::Show);
  policy.Shown(100 * 1024, 1000);  // too small to tell
  policy.Shown(kMB, 0);            // too quick to tell
  EXPECT_EQ(policy.BatchLimit(), kMB / 2);
  policy.Shown(64 * kMB, 1);
  EXPECT_EQ(policy.BatchLimit(), 64 * kMB);
  policy.Shown(256 * 1024, 10000);
  EXPECT_EQ(policy.BatchLimit(), 256 * 1024u);
}
