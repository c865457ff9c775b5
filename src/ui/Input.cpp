#include "ui/Input.h"

#include <shellapi.h>

#include "ui/ListRules.h"

std::vector<std::wstring> DroppedFiles(HDROP drop) {
  std::vector<std::wstring> dropped;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
    dropped.push_back(path);
  }
  return FilesOnly(dropped, [](const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  });
}
