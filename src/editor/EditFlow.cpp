#include "editor/EditFlow.h"

// Placeholder until the editor window lands: the callers are wired, an edit does not open yet.
namespace mdlEdit {

void StartNewEdit(Program&) {}

void StartExistingEdit(Program&, const QString&, bool) {}

} // namespace mdlEdit
