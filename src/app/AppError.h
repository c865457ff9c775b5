#pragma once
#include <stdexcept>
#include <string>

// The program's one error type. Handlers raise it; the event loop catches it
// and shows its message in the error box.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
