#include "runner/BatchPolicy.h"

#include <algorithm>

BatchPolicy::Next BatchPolicy::Decide(const State& s) const {
  if (s.pipeEmpty && s.toolEnded) return {Step::End};
  if (s.bytes == 0) return s.pipeEmpty ? Next{Step::Look, kRecheckMs, true} : Next{Step::Look};
  if (!s.pipeEmpty) return {s.bytes >= limit_ || s.batchAgeMs >= kCollectMs ? Step::Show : Step::Look};
  if (s.runAgeMs < kQuickAnswerMs && !s.waitedForEnd) return {Step::WaitForEnd, kEndGraceMs};
  return {Step::Show};
}

void BatchPolicy::Shown(std::size_t bytes, Ms ms) {
  if (bytes < kMeasuredBytes || ms == 0) return;
  limit_ = static_cast<std::size_t>(
      std::clamp<Ms>(bytes * kShowBudgetMs / ms, kMeasuredBytes, kLargestBatchBytes));
}
