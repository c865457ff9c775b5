#pragma once
#include <exception>
#include <string>
#include <utility>

#include "app/OwnText.h"

// The program's one error type. Handlers raise it; the event loop catches it
// and shows its message in the error box. The message is wide text, as the
// box shows it: the program's own words and the system's, each converted
// from its own code page.
class AppError : public std::exception {
 public:
  explicit AppError(std::wstring message) : message_(std::move(message)) {}
  // The program's own words, written in Windows-1250.
  explicit AppError(std::string_view ownText) : message_(OwnText(ownText)) {}

  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return "AppError"; }

 private:
  std::wstring message_;
};
