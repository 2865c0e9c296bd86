#pragma once
// Starting an edit: the one entry the manager's buttons and the list and tray menus call. Each start does
// nothing while an edit is open (EditorOpen); the callers keep their own ListPos rule.
#include <QString>

class Program;

namespace mdlEdit {

// A new note, with the editor's defaults and today's dates.
void StartNewEdit(Program& P);

// The note in the file at path; apply captions the OK button "&Apply" (the manager's own Edit button).
void StartExistingEdit(Program& P, const QString& path, bool apply);

} // namespace mdlEdit
