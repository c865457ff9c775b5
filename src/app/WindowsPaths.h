#pragma once
// Set only in ZarveltGUI-windows-paths, a build for the tests: under Wine it
// takes Windows' paths (no Wine workarounds, Windows 7's wake flags, no job
// for the tool, no short names).
namespace windowspaths {

#ifdef ZARVELT_WINDOWS_PATHS
inline constexpr bool kTaken = true;
#else
inline constexpr bool kTaken = false;
#endif

}  // namespace windowspaths
