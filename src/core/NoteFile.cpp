#include "core/NoteFile.h"

#include "core/FileIO.h"
#include "core/NativeFile.h"
#include "core/mdlBin.h"
#include <QFile>

using namespace mdlBin;

namespace NoteFile {

namespace {

constexpr double FormatVersion = 3.0;

void ReadHead(BinReader& in, NoteRecord& r, Head head) {
    r.Version = in.ReadDouble();
    r.Enabled = in.ReadInt16();
    if (head == Head::Enabled) return;
    r.Text = ReadBinString(in);
    r.ShowFrom = in.ReadInt32();
    r.ShowUntil = in.ReadInt32();
}

void ReadRest(BinReader& in, NoteRecord& r) {
    r.LoadSound = ReadBinString(in);
    r.CloseSound = ReadBinString(in);
    r.ButtonSound = ReadBinString(in);
    r.BackColour = static_cast<uint32_t>(in.ReadInt32());
    r.ImagePath = ReadBinString(in);
    r.BorderStyle = in.ReadInt16();
    r.ImageAlign = in.ReadInt16();
    r.FontBold = in.ReadInt16();
    r.FontItalic = in.ReadInt16();
    r.FontStrikethru = in.ReadInt16();
    r.FontUnderline = in.ReadInt16();
    r.FontName = ReadBinString(in);
    r.FontColour = static_cast<uint32_t>(in.ReadInt32());
    r.FontSize = in.ReadInt16();
    r.TextAlign = in.ReadInt16();
}

// A note is read whole with one read; a head is parsed from the first bytes, and only a note whose head
// runs past them (a very long text) is read again, whole. Nothing past MaxNoteBytes is read: a file that
// large is not a note, and it reads as damaged.
constexpr qint64 HeadBytes = 4096;
constexpr qint64 MaxNoteBytes = 16 * 1024 * 1024;

template <typename Body> bool ReadWith(const QString& path, qint64 first, QString* error, Body body) {
    QByteArray bytes;
    for (qint64 limit = first;; limit = MaxNoteBytes) {
        if (!NativeFile::ReadRegular(path, bytes, limit, error)) return false;
        BinReader in(bytes);
        body(in);
        if (in.Ok() || bytes.size() < limit || limit == MaxNoteBytes) {
            if (!in.Ok() && error) *error = in.Error();
            return in.Ok();
        }
    }
}

} // namespace

NoteRecord NewNoteRecord(const QString& text, int32_t showFrom, int32_t showUntil) {
    NoteRecord note;
    note.Version = 3.0;
    note.Enabled = 1;
    note.Text = text;
    note.ShowFrom = showFrom;
    note.ShowUntil = showUntil;
    note.BackColour = 0x0080FFFF;
    note.ImageAlign = 0;
    note.BorderStyle = 0;
    note.FontName = QStringLiteral("MS Sans Serif");
    note.FontSize = 8;
    note.FontColour = SystemColourFlag + 0x12; // button text
    note.TextAlign = 1;
    return note;
}

bool ReadNote(const QString& path, NoteRecord& record, QString* error) {
    return ReadWith(path, MaxNoteBytes, error, [&](BinReader& in) {
        ReadHead(in, record, Head::Dates);
        ReadRest(in, record);
    });
}

bool ReadNoteHead(const QString& path, NoteRecord& record, Head head, QString* error) {
    return ReadWith(path, HeadBytes, error, [&](BinReader& in) { ReadHead(in, record, head); });
}

QByteArray NoteBytes(const NoteRecord& r) {
    BinWriter out;
    out.WriteDouble(FormatVersion);
    out.WriteInt16(r.Enabled);
    WriteBinString(r.Text, out);
    out.WriteInt32(r.ShowFrom);
    out.WriteInt32(r.ShowUntil);
    WriteBinString(r.LoadSound, out);
    WriteBinString(r.CloseSound, out);
    WriteBinString(r.ButtonSound, out);
    out.WriteInt32(static_cast<int32_t>(r.BackColour));
    WriteBinString(r.ImagePath, out);
    out.WriteInt16(r.BorderStyle);
    out.WriteInt16(r.ImageAlign);
    out.WriteInt16(r.FontBold);
    out.WriteInt16(r.FontItalic);
    out.WriteInt16(r.FontStrikethru);
    out.WriteInt16(r.FontUnderline);
    WriteBinString(r.FontName, out);
    out.WriteInt32(static_cast<int32_t>(r.FontColour));
    out.WriteInt16(r.FontSize);
    out.WriteInt16(r.TextAlign);
    return out.Bytes();
}

namespace {
// The new bytes over the start of the old content; whatever lies beyond them stays.
bool Overlay(const QString& path, const QByteArray& head, bool mustExist, QString* error) {
    QByteArray content;
    const bool exists = NativeFile::KindOf(path) != NativeFile::Kind::Missing;
    if (!exists && mustExist) {
        if (error) *error = QStringLiteral("missing");
        return false;
    }
    if (exists && !FileIO::ReadWhole(path, content, error)) return false;
    if (content.size() < head.size()) content.resize(head.size());
    content.replace(0, head.size(), head);
    return NativeFile::WriteWhole(path, content, error);
}
} // namespace

bool WriteNote(const QString& path, const NoteRecord& record, QString* error) {
    return Overlay(path, NoteBytes(record), false, error);
}

bool WriteEnabled(const QString& path, int16_t enabled, QString* error) {
    BinWriter out;
    out.WriteDouble(FormatVersion);
    out.WriteInt16(enabled);
    return Overlay(path, out.Bytes(), true, error); // never creates a stray file
}

} // namespace NoteFile
