#pragma once
// A note window is never lost beyond the edge of the screens.
#include <QList>
#include <QPoint>
#include <QRect>
#include <cstdint>

namespace mdlCommonFunc {

// The smallest piece of a note window, in pixels each way, that must show on some screen for the user to
// reach it (to drag it back or close it).
constexpr int32_t GrabPixels = 32;

// Where a note window goes, all in twips: its own place when a piece of at least `grab` each way (or the
// whole window, when it is smaller) shows on some screen; otherwise moved, the shortest way, wholly onto
// the nearest screen (its top-left corner on it when the window is larger than that screen). No screens:
// its own place.
QPoint KeepOnScreens(const QRect& window, const QList<QRect>& screens, int32_t grab);

} // namespace mdlCommonFunc
