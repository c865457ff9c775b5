#include "ui/OutputTally.h"

bool OutputTally::Offer(const std::wstring& text, std::size_t toolBytes) {
  if (!refused_ && append_(text)) return true;
  refused_ = true;
  notShown_ += toolBytes;
  return false;
}
