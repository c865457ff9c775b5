#pragma once
// What of a run's output reached the output area. Once the area has refused
// a piece (it could not grow), nothing more of the run is offered to it: a
// smaller piece it might still take would leave a gap in the middle of the
// text. What it did not show is counted, so that the user can be told.
#include <cstddef>
#include <functional>
#include <string>

class OutputTally {
 public:
  // Adds text at the end of the area; false when the area did not take it whole.
  using Append = std::function<bool(const std::wstring& text)>;

  explicit OutputTally(Append append) : append_(std::move(append)) {}

  // Offers text holding `toolBytes` bytes of the tool's output. True when
  // the area took it; otherwise those bytes count as not shown.
  bool Offer(const std::wstring& text, std::size_t toolBytes);

  // Bytes of the tool's output the area did not show.
  std::size_t NotShown() const { return notShown_; }

 private:
  Append append_;
  bool refused_ = false;
  std::size_t notShown_ = 0;
};
