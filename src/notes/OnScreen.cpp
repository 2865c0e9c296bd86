#include "notes/OnScreen.h"

#include <algorithm>
#include <limits>

namespace mdlCommonFunc {

namespace {

bool Reachable(const QRect& window, const QRect& screen, int32_t grab) {
    const QRect shown = window.intersected(screen);
    return shown.width() >= std::min(grab, window.width()) && shown.height() >= std::min(grab, window.height()) &&
           !shown.isEmpty();
}

// Squared distance from the window to the screen (0 when they overlap).
int64_t Distance(const QRect& window, const QRect& screen) {
    const int64_t dx = std::max({0, screen.left() - window.right(), window.left() - screen.right()});
    const int64_t dy = std::max({0, screen.top() - window.bottom(), window.top() - screen.bottom()});
    return dx * dx + dy * dy;
}

int32_t Clamp(int32_t start, int32_t length, int32_t low, int32_t span) {
    return std::max(low, std::min(start, low + span - length));
}

} // namespace

QPoint KeepOnScreens(const QRect& window, const QList<QRect>& screens, int32_t grab) {
    if (screens.isEmpty()) return window.topLeft();
    for (const QRect& screen : screens)
        if (Reachable(window, screen, grab)) return window.topLeft();
    const QRect* nearest = &screens.first();
    int64_t best = std::numeric_limits<int64_t>::max();
    for (const QRect& screen : screens) {
        const int64_t distance = Distance(window, screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    return {Clamp(window.left(), window.width(), nearest->left(), nearest->width()),
            Clamp(window.top(), window.height(), nearest->top(), nearest->height())};
}

} // namespace mdlCommonFunc
