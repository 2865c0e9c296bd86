// The note reader on any bytes: whole and both heads. Besides the sanitizers' findings it checks that the
// three reads agree, and that a note read whole writes back to bytes that read as the same note.
#include "FuzzFile.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include <cstdlib>

namespace {
bool SameHead(const NoteRecord& a, const NoteRecord& b) {
    return a.Enabled == b.Enabled && a.Text == b.Text && a.ShowFrom == b.ShowFrom && a.ShowUntil == b.ShowUntil;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file;
    const QString path = file.Write(data, size);
    NoteRecord whole, dates, enabled;
    const bool wholeRead = NoteFile::ReadNote(path, whole);
    const bool datesRead = NoteFile::ReadNoteHead(path, dates, NoteFile::Head::Dates);
    const bool enabledRead = NoteFile::ReadNoteHead(path, enabled, NoteFile::Head::Enabled);
    // Each read goes no further than the one before it, so it cannot fail where that one succeeded.
    if ((wholeRead && !datesRead) || (datesRead && !enabledRead)) abort();
    if (datesRead && wholeRead && !SameHead(whole, dates)) abort();
    if (enabledRead && datesRead && enabled.Enabled != dates.Enabled) abort();
    if (datesRead) (void)mdlCommonFunc::ListLine(dates, path); // dates that are no dates still make a line
    if (!wholeRead) return 0;
    const QByteArray again = NoteFile::NoteBytes(whole);
    NoteRecord reread;
    if (!NoteFile::ReadNote(file.Write(reinterpret_cast<const uint8_t*>(again.constData()), size_t(again.size())),
                            reread))
        abort();
    reread.Version = whole.Version; // the writer always stores 3.0
    // Text that the file's code page cannot hold is written as '?', so compare what was written twice.
    if (NoteFile::NoteBytes(reread) != again) abort();
    return 0;
}
