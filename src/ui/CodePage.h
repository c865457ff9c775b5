#pragma once
// Paths in wide text, as the file dialogs and drops give them, turned into the
// system's 8-bit code page, which the list holds and the tool reads. A path
// is only ever given as one that names the same file: never with a near
// letter or a question mark in place of a letter the code page lacks.
#include <optional>
#include <string>

#include "ui/ListRules.h"

// The path in the code page, and where it cannot be written exactly, the
// file's short path if that can be and leads back to this very file.
PathInCodePage InCodePage(const std::wstring& path);

// A merge's output path in the code page: its name exactly, its folder
// exactly or by its short path. None when the name, or the folder, cannot be
// written (a new file has no short name yet).
std::optional<std::string> OutputInCodePage(const std::wstring& path);

// Text in the code page when it converts exactly (no letter replaced by a
// question mark or a near letter); none otherwise.
std::optional<std::string> ExactlyInCodePage(const std::wstring& text);

// Whether a byte begins a character of two bytes in the system's code page.
bool IsLeadByteOfCodePage(unsigned char byte);

// 8-bit text of the code page in wide text.
std::wstring Widen(const std::string& text);

// The text as well as the code page can show it (a "?" for a letter it lacks).
std::string Shown(const std::wstring& text);
