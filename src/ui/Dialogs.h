#pragma once
// The program's two small modal dialogs.
#include <windows.h>

#include <optional>
#include <string>

enum class MessageKind { Error, Warning };

// A message with one OK button (Enter and Esc), centred on the screen, with
// the caption and icon of its kind. The text is shown as it is ("&" included),
// wraps at half the screen's width and breaks at each line feed. Ctrl+C copies
// the caption, the text and the button's caption.
void ShowMessageDialog(HWND owner, MessageKind kind, const std::wstring& text);

// Asks for one line of text (at most 255 characters), starting with `initial`
// all selected. The text, in wide text as typed, when the user confirmed with
// OK; nothing otherwise.
std::optional<std::wstring> PromptDialog(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                         const std::wstring& initial);
