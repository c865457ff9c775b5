#pragma once
#include <functional>
#include <vector>

// Geometry of the main window. Every position is written once, at its value
// for a window font whose line of text is 13 pixels high (96 pixels per inch),
// and scaled by the line height the font really has on this screen.

struct Box {
  int left;
  int top;
  int width;
  int height;
  bool operator==(const Box&) const = default;
};

namespace layout {

inline constexpr int kDesignLineHeight = 13;
inline constexpr int kDesignFontPixels = 11;
inline constexpr int kClientWidth = 585;
inline constexpr int kClientHeight = 601;
inline constexpr int kFontPoints = 8;  // Tahoma 8 pt: 11 pixels high at 96 pixels per inch
// The smallest font the window is made smaller to, when it would not fit on
// the screen otherwise: Tahoma 8 pixels high (6 pt at 96 pixels per inch),
// the smallest whose letters are still told apart.
inline constexpr int kFloorFontPixels = 8;

inline constexpr Box kLabel2{8, 8, 86, 13};
inline constexpr Box kListBox{8, 24, 473, 89};
inline constexpr Box kBrowse{496, 24, 75, 25};
inline constexpr Box kBrisi{496, 56, 75, 25};
inline constexpr Box kIzhod{496, 88, 75, 25};
inline constexpr Box kInfo{8, 120, 75, 25};
inline constexpr Box kZdruzi{136, 120, 75, 25};
inline constexpr Box kZazeni{496, 120, 75, 25};
inline constexpr Box kUstavi = kZazeni;  // in the hidden run button's slot
inline constexpr Box kLabel1{8, 152, 77, 13};
inline constexpr Box kUkaz{8, 168, 561, 21};
inline constexpr Box kMemo{8, 192, 569, 401};

}  // namespace layout

// The line height the window is scaled by: the font's measured one (the
// design's when unmeasured), but no less than its pixel size asks, lest a
// font with a short line (Tahoma 12 px, line 14) cut its labels.
int ScalingLineHeight(int measuredLineHeight, int fontPixels);

// value * lineHeight / 13, rounded to the nearest pixel (halves away from zero).
int ScaleToFont(int value, int lineHeight);
Box ScaleToFont(const Box& box, int lineHeight);

// Where a window of the given size goes when centred over the whole desktop,
// measured from the primary screen's top-left corner; never negative.
int CentredStart(int desktopExtent, int windowExtent);

struct Rect {
  int left;
  int top;
  int right;
  int bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width;
  int height;
};

// A monitor: the whole of it, and its work area (without the taskbar).
struct Monitor {
  Rect area;
  Rect work;
  bool primary = false;
};

// Where the main window opens, and the pixel height of the font that scales it.
struct Placement {
  int fontPixels;
  Rect window;
  bool operator==(const Placement&) const = default;
};

// The window's place and font size at start: centred over the whole desktop
// where it then lies within the work areas; else centred in the primary's
// work area, its font a pixel smaller at a time (down to the floor) until it fits.
Placement PlaceWindow(const std::vector<Monitor>& monitors, int fontPixels,
                      const std::function<Size(int fontPixels)>& windowAt);
