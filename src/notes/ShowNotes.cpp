#include "notes/ShowNotes.h"

namespace mdlCommonFunc {

void ShowNotes(Program&, int16_t, int16_t) {}

} // namespace mdlCommonFunc
