#pragma once
// Child-window identifiers of the main window's controls. The end-to-end
// tests find the controls by them, as a screen reader would.

namespace ids {

inline constexpr int kMainPanel = 100;
inline constexpr int kMemo = 101;
inline constexpr int kZazeni = 102;
inline constexpr int kUkaz = 103;
inline constexpr int kBrowse = 104;
inline constexpr int kLabel1 = 105;
inline constexpr int kLabel2 = 106;
inline constexpr int kListBox = 107;
inline constexpr int kInfo = 108;
inline constexpr int kZdruzi = 109;
inline constexpr int kIzhod = 110;
inline constexpr int kBrisi = 111;
inline constexpr int kUstavi = 112;

}  // namespace ids

inline constexpr const char* kMainWindowClass = "TMainForm";
