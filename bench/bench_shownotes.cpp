// Times ShowNotes "All Notes" over a folder of 1,000 notes: cascaded (31 windows at most) and as a stack
// (one window), plus the variants that read every note's head. Headless, with the test stand-ins for clock, screen,
// sound and random numbers.
//   bench_shownotes [notes] [runs]
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "fakes/FakeServices.h"
#include "notes/ShowNotes.h"
#include "notes/frmNotes.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void WriteNotes(const QString& folder, int count) {
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        NoteRecord note;
        note.Text = QStringLiteral("Note number %1\r\nwith a second line").arg(i);
        note.Enabled = 1;
        note.ShowFrom = 20260101;
        note.ShowUntil = 20271231;
        note.FontName = QStringLiteral("DejaVu Sans");
        note.FontSize = 10;
        note.BackColour = 0x0080FFFF;
        note.LoadSound = QStringLiteral("/nowhere/load.wav");
        NoteFile::WriteNote(folder + QStringLiteral("note%1.nte").arg(i, 4, 10, QLatin1Char('0')), note);
    }
}

void CloseNoteWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<frmNotes*>(w)) delete note;
}

struct Run {
    double Ms;
    int Windows;
    int Entries;
};

// One call on a fresh program (nothing shown yet) over the given folder.
Run TimeOnce(const QString& notesFolder, uint8_t arrangement, int16_t onlyEnabled, int16_t which) {
    TestProgram t;
    t.P->Settings.NotesFolder = notesFolder;
    t.P->Settings.Arrangement = arrangement;
    t.P->Stealth().flbNotes.Refresh();
    QElapsedTimer clock;
    clock.start();
    mdlCommonFunc::ShowNotes(*t.P, onlyEnabled, which);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    mdlCommonFunc::CountOpenNotes(*t.P);
    const Run run{ms, t.P->OpenNoteCount, t.P->ShownCount()};
    CloseNoteWindows();
    return run;
}

void Report(const char* name, const QString& folder, uint8_t arrangement, int runs, int16_t onlyEnabled = 0,
            int16_t which = 2) {
    std::vector<double> times;
    Run last{};
    for (int i = 0; i < runs; ++i) {
        last = TimeOnce(folder, arrangement, onlyEnabled, which);
        times.push_back(last.Ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-24s windows %3d, entries %5d: median %8.1f ms, min %8.1f ms, max %8.1f ms (%d runs)\n", name,
                last.Windows, last.Entries, times[times.size() / 2], times.front(), times.back(), runs);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int notes = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Notes/");
    WriteNotes(folder, notes);
    std::printf("ShowNotes \"All Notes\" (Which 2, OnlyEnabled 0) over %d notes\n", notes);
    TimeOnce(folder, 1, 0, 2); // warm-up: the first window pays for fonts and styles
    Report("cascade", folder, 1, runs);
    Report("stack", folder, 0, runs);
    Report("scatter", folder, 2, runs);
    // The same with a head read of every note: only enabled ones, and today's.
    Report("cascade, only enabled", folder, 1, runs, -1, 2);
    Report("cascade, today's", folder, 1, runs, 0, 1);
    return 0;
}
