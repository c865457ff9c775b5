#include "ui/Input.h"

#include <shlobj.h>

#include <cstring>

#include "ui/ListRules.h"

namespace {

// How much memory of the program a drop handle stands for: a block of its
// heap, as the system makes drops, or a region that starts at that very
// address; 0 when it is neither.
SIZE_T OwnSize(HDROP drop) {
  if (const SIZE_T size = ::GlobalSize(drop)) return size;
  MEMORY_BASIC_INFORMATION region{};
  if (!::VirtualQuery(drop, &region, sizeof region) || region.State != MEM_COMMIT ||
      region.AllocationBase != drop || !(region.Protect & (PAGE_READONLY | PAGE_READWRITE)))
    return 0;
  return region.RegionSize;
}

// Whether the names of a drop, each ended by a zero, end with an empty one
// within `size` bytes.
bool NamesEndWithin(const unsigned char* names, SIZE_T size, bool wide) {
  const SIZE_T unit = wide ? 2 : 1;
  bool atNameStart = true;
  for (SIZE_T at = 0; at + unit <= size; at += unit) {
    const bool zero = names[at] == 0 && (!wide || names[at + 1] == 0);
    if (zero && atNameStart) return true;
    atNameStart = zero;
  }
  return false;
}

}  // namespace

bool IsOwnDrop(HDROP drop) {
  const SIZE_T size = OwnSize(drop);
  if (size < sizeof(DROPFILES)) return false;
  const auto* bytes = static_cast<const unsigned char*>(::GlobalLock(drop));
  if (!bytes) return false;
  DROPFILES header;
  std::memcpy(&header, bytes, sizeof header);
  const bool whole = header.pFiles >= sizeof(DROPFILES) && header.pFiles < size &&
                     (header.fWide == TRUE || header.fWide == FALSE) &&
                     NamesEndWithin(bytes + header.pFiles, size - header.pFiles, header.fWide);
  ::GlobalUnlock(drop);
  return whole;
}

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
