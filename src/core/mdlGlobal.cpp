#include "core/mdlGlobal.h"

#include <algorithm>

namespace mdlCommonFunc {

void CountOpenNotes(Globals& g) {
    g.OpenNoteCount = static_cast<int32_t>(
        std::count_if(g.ShownNotes.begin(), g.ShownNotes.end(), [](const ShownNote& n) { return n.IsOpen; }));
}

} // namespace mdlCommonFunc
