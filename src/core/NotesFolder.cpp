#include "core/NotesFolder.h"

#include "core/NoteFile.h"
#include "core/TypeCheck.h"
#include <QFileInfo>

using TypeCheck::LeftChars;
using TypeCheck::PadToLength;
using TypeCheck::TrimBlanks;

namespace mdlCommonFunc {

namespace {
// A name starting with a dot is hidden from the folder listing, so the note would be lost to the user:
// leading dots go like the forbidden characters, as blanks that are then trimmed.
QString WithoutLeadingDots(QString name) {
    qsizetype at = 0;
    while (at < name.size() && (name.at(at) == u'.' || name.at(at) == u' ')) name[at++] = u' ';
    return TrimBlanks(name);
}
} // namespace

QString NoteFileName(const QString& notesFolder, const QString& text) {
    QString name = TrimBlanks(text);
    if (!name.isEmpty()) {
        for (QChar& ch : name) {
            // Besides the characters no file name may hold, NUL and line breaks would make odd names.
            if (QStringLiteral("\\/:*?<>|\n\t\r\b").contains(ch) || ch == QChar(0)) ch = u' ';
        }
        name = LeftChars(WithoutLeadingDots(name), 8);
        name = TrimBlanks(name);
        if (name.isEmpty()) name = QStringLiteral("Note");
    } else {
        name = QStringLiteral("Note");
    }
    for (int counter = 0; QFileInfo::exists(notesFolder + name + QStringLiteral(".nte")); ++counter)
        name = PadToLength(name, 6, QStringLiteral(" ")) + u'~' + QString::number(counter);
    return notesFolder + name + QStringLiteral(".nte");
}

QString DateText(int32_t date) {
    // The digits with a slash after the fourth and the sixth, a blank, and the last 9 characters of that.
    QString digits = QString::number(date);
    QString formatted = digits;
    if (digits.size() > 4) formatted.insert(digits.size() - 4, u'/');
    if (digits.size() > 2) formatted.insert(formatted.size() - 2, u'/');
    formatted += u' ';
    return formatted.size() >= 9 ? formatted.right(9) : formatted.rightJustified(9, u' ');
}

namespace {
QString Printable(QString text) {
    for (QChar& ch : text)
        if (ch.unicode() < 32 || ch.unicode() == 127) ch = u' ';
    return text;
}
} // namespace

QString ListLine(const NoteRecord& head, const QString& path) {
    return DateText(head.ShowFrom) + DateText(head.ShowUntil) +
           Printable(PadToLength(TrimBlanks(head.Text), 21, QStringLiteral(" "))) + u' ' + path;
}

QString DamagedListLine(const QString& path) {
    return PadToLength(QStringLiteral("?? damaged note file"), ListPrefixLength, QStringLiteral(" ")) + path;
}

QString FileFromListEntry(const QString& line) {
    return TypeCheck::MidChars(line, ListPrefixLength);
}

std::vector<NoteListEntry> BuildNoteList(const QString& notesFolder, const QStringList& fileNames) {
    std::vector<NoteListEntry> entries;
    entries.reserve(static_cast<size_t>(fileNames.size()));
    for (const QString& name : fileNames) {
        const QString path = notesFolder + name;
        NoteListEntry entry;
        // The whole note is read (as cheap as its head for notes of this size), so a note that could not
        // be shown is marked here rather than found out when its window should open.
        NoteRecord note;
        if (NoteFile::ReadNote(path, note, &entry.Error)) {
            entry.Line = ListLine(note, path);
            entry.Checked = note.Enabled == 1;
        } else if (NoteRecord head; NoteFile::ReadNoteHead(path, head, NoteFile::Head::Dates)) {
            entry.Line = ListLine(head, path); // cut short after its dates: listed as it reads, but marked
            entry.Checked = head.Enabled == 1;
            entry.Damaged = true;
        } else {
            entry.Line = DamagedListLine(path);
            entry.Damaged = true;
        }
        entries.push_back(entry);
    }
    return entries;
}

} // namespace mdlCommonFunc
