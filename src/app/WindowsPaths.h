#pragma once
// A build of the program for the tests only, never the release: the target
// ZarveltGUI-windows-paths, the one that defines ZARVELT_WINDOWS_PATHS. Under
// Wine it takes the paths the program takes on Windows, where Wine would
// lead it elsewhere: none of Wine's workarounds (wine::Present() is false),
// the input wake-up flags of Windows 7, a tool that cannot be put into a job
// (as where the program itself runs in a job that forbids it, on Windows 7)
// and files without short names (as on a volume that makes none).
namespace windowspaths {

#ifdef ZARVELT_WINDOWS_PATHS
inline constexpr bool kTaken = true;
#else
inline constexpr bool kTaken = false;
#endif

}  // namespace windowspaths
