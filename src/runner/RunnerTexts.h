#pragma once
// The runner's own texts: the map tool's command-line pieces, the lines a
// run ends with and the system error's words. The source is UTF-8; the
// compiler turns the literals into Windows-1250 bytes (-fexec-charset=CP1250).

namespace runtexts {

inline constexpr const char* kSeparator = "-----------------------------------------------";
inline constexpr const char* kToolStopped = "Orodje je bilo ustavljeno.";
inline constexpr const char* kToolCrashed = "Orodje se je nenormalno končalo (koda ";
inline constexpr const char* kToolCrashedEnd = ").";
inline constexpr const char* kSystemErrorPrefix = "System Error.  Code: ";
inline constexpr const char* kOsCallFailed = "A call to an OS function failed";

// The map tool's command lines.
inline constexpr const char* kInfoCommand = "Zarvelt.exe -i ";
inline constexpr const char* kMergeCommand = "Zarvelt.exe -m ";
inline constexpr const char* kMergeOutputOption = " -jo ";

}  // namespace runtexts
