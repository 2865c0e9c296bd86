#include "notes/frmNotes.h"

#include "app/Program.h"

frmNotes::frmNotes(Program& program) : P(program) {}
frmNotes::~frmNotes() = default;
void frmNotes::Form_Load() {}
void frmNotes::PlaceNote(int32_t, int32_t, int32_t, int32_t) {}
void frmNotes::ArrangeControls() {}
void frmNotes::ApplyNote(const NoteRecord&) {}
void frmNotes::HideNavButtons() {}
void frmNotes::ShowNote() {}
