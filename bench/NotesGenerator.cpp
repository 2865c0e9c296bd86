#include "NotesGenerator.h"

#include "core/NoteFile.h"
#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <random>

namespace Bench {

namespace {
const QStringList Words = {"milk",    "call",   "Anna", "meeting", "dentist", "rent",  "birthday", "project", "review",
                           "tickets", "garden", "car",  "report",  "friday",  "bread", "notes",    "plan",    "train"};

QString Text(std::mt19937& random) {
    const int lines = 1 + static_cast<int>(random() % 4);
    QStringList out;
    for (int line = 0; line < lines; ++line) {
        QStringList words;
        for (int w = 0, n = 2 + static_cast<int>(random() % 6); w < n; ++w) words << Words[random() % Words.size()];
        out << words.join(QLatin1Char(' '));
    }
    return out.join(QStringLiteral("\r\n"));
}

int32_t DayNumber(const QDate& date) {
    return date.year() * 10000 + date.month() * 100 + date.day();
}
} // namespace

void WriteNotesFolder(const QString& folder, const FolderMix& mix) {
    QDir().mkpath(folder);
    std::mt19937 random(20260615);
    const QDate due = QDate(mix.DueDay / 10000, mix.DueDay / 100 % 100, mix.DueDay % 100);
    for (int i = 0; i < mix.Count; ++i) {
        NoteRecord note = NoteFile::NewNoteRecord(Text(random), DayNumber(due.addDays(-int(random() % 30))),
                                                  DayNumber(due.addDays(int(random() % 30))));
        note.Enabled = random() % 20 == 0 ? 0 : 1;
        note.FontName = QStringLiteral("DejaVu Sans");
        note.FontSize = 10;
        if (!mix.PicturePath.isEmpty() && random() % 10 == 0) note.ImagePath = mix.PicturePath;
        const QString path = folder + QStringLiteral("note%1.nte").arg(i, 5, 10, QLatin1Char('0'));
        QByteArray bytes = NoteFile::NoteBytes(note);
        if (static_cast<int>(random() % 1000) < mix.DamagedPerThousand) bytes.truncate(14);
        QFile file(path); // no sync per file: a folder of 10,000 is made in a moment
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }
}

} // namespace Bench
