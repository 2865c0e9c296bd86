#include "core/NotesFolder.h"

#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/TypeCheck.h"
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

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

namespace {
constexpr qsizetype DateWidth = 9;

// The digits with a slash before the last four and before the last two, a blank, and the last nine
// characters of that (blanks in front when shorter), written at `out`: no string is made on the way, as
// the manager's list and `pvl3 list` write two of these for every note.
void WriteDate(QChar* out, int32_t date) {
    char digits[12];
    const qsizetype count = std::to_chars(digits, digits + sizeof digits, date).ptr - digits;
    char formatted[16];
    qsizetype n = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if ((count > 4 && i == count - 4) || (count > 2 && i == count - 2)) formatted[n++] = '/';
        formatted[n++] = digits[i];
    }
    formatted[n++] = ' ';
    for (qsizetype i = 0; i < DateWidth; ++i) {
        const qsizetype from = n - DateWidth + i;
        out[i] = QLatin1Char(from >= 0 ? formatted[from] : ' ');
    }
}
} // namespace

bool WriteNewNote(const QString& notesFolder, const NoteRecord& record, QString& path, QString* error) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        path = NoteFileName(notesFolder, record.Text);
        const int claimed = NativeFile::CreateExclusive(path);
        if (claimed == EEXIST) continue; // taken since the name was chosen: the next one
        if (claimed != 0) {
            if (error) *error = QStringLiteral("cannot write: %1").arg(QString::fromLocal8Bit(std::strerror(claimed)));
            return false;
        }
        if (NoteFile::WriteNote(path, record, error)) return true;
        NativeFile::Remove(path); // the empty claim goes with the write that failed
        return false;
    }
    if (error) *error = QStringLiteral("cannot write: no free name");
    return false;
}

QString DateText(int32_t date) {
    QString text(DateWidth, Qt::Uninitialized);
    WriteDate(text.data(), date);
    return text;
}

QString ListLine(const NoteRecord& head, const QString& path) {
    const QString text = PadToLength(TrimBlanks(head.Text), 21, QStringLiteral(" "));
    QString line(2 * DateWidth + text.size() + 1 + path.size(), Qt::Uninitialized);
    QChar* out = line.data();
    WriteDate(out, head.ShowFrom);
    WriteDate(out + DateWidth, head.ShowUntil);
    out += 2 * DateWidth;
    // Every control and line break shows as one blank, so a note stays on one line: C0, DEL, C1 (where
    // Windows-1252's unused bytes land, and U+0085, a line break to Unicode), U+2028 and U+2029.
    const auto breaks = [](char16_t c) { return c < 32 || (c >= 127 && c <= 159) || c == 0x2028 || c == 0x2029; };
    for (const QChar ch : text) *out++ = breaks(ch.unicode()) ? QChar(u' ') : ch; // one for one
    *out++ = u' ';
    std::copy(path.begin(), path.end(), out);
    return line;
}

QString DamagedListLine(const QString& path) {
    return PadToLength(QStringLiteral("?? damaged note file"), ListPrefixLength, QStringLiteral(" ")) + path;
}

QString FileFromListEntry(const QString& line) {
    return TypeCheck::MidChars(line, ListPrefixLength);
}

std::vector<NoteListEntry> BuildNoteList(const QString& notesFolder, const QStringList& fileNames) {
    // Every note is read: from disk once, ahead on every core. Inside a sharing of the caller's (a start, or
    // `pvl3` keeping only the folder open) that one goes on as it is.
    NativeFile::SharedReads oneRead;
    NativeFile::SharedReads::ReadAhead(notesFolder, fileNames);
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
