#pragma once
// The tray window's pictures, drawn by the program: img1..img7, a note page whose written area grows
// from the top down (img7 blank, img1 full), and imgClock2, a clock face for the alarm. Each icon is made
// once per tray window and then only handed out, so that an unchanged picture keeps its cache key and
// the tray does not redraw it; the picture itself is drawn only when shown, at the size shown.
#include <QIcon>

namespace TrayIcons {
QIcon PageFrame(int frame); // 1 (full page) .. 7 (blank page)
QIcon ClockFrame();
} // namespace TrayIcons
