// Times the manager's list over a folder of many notes: reading each note's head only against reading
// each note whole (which is what lets the list mark notes that cannot be shown).
//   bench_notelist [notes] [runs]
#include "core/FileList.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMs(int runs, const std::function<void()>& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        body();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    NoteRecord note =
        NoteFile::NewNoteRecord(QStringLiteral("A note of an ordinary length, two lines\r\nlong"), 20260101, 20271231);
    for (int i = 0; i < count; ++i)
        NoteFile::WriteNote(folder + QStringLiteral("n%1.nte").arg(i, 5, 10, QLatin1Char('0')), note);
    FileList files;
    files.SetPattern(QStringLiteral("*.nte"));
    files.SetPath(folder);
    const QStringList names = files.Names();
    const double list = MedianMs(runs, [&] {
        FileList fresh;
        fresh.SetPattern(QStringLiteral("*.nte"));
        fresh.SetPath(folder);
    });
    const double heads = MedianMs(runs, [&] {
        for (const QString& name : names) {
            NoteRecord head;
            NoteFile::ReadNoteHead(folder + name, head, NoteFile::Head::Dates);
            mdlCommonFunc::ListLine(head, folder + name);
        }
    });
    const double whole = MedianMs(runs, [&] { mdlCommonFunc::BuildNoteList(folder, names); });
    std::printf("%d notes, median of %d: folder listing %.1f ms, list from heads %.1f ms, list from whole notes "
                "%.1f ms\n",
                count, runs, list, heads, whole);
    return 0;
}
