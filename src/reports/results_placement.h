// Fitting a stored window position and size onto the desktop (results window and main window).
#pragma once

namespace pelmora {

struct TWindowRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The stored rectangle when it is usable (size above 0, corner not negative), moved back onto
// the desktop and shrunk to it when it is larger; otherwise the current rectangle.
TWindowRect PlaceWindow(const TWindowRect& stored, const TWindowRect& current, int desktopWidth, int desktopHeight);

}  // namespace pelmora
