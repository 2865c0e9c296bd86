// Times opening the manager (building the window, filling the options and the list) over a large notes
// folder, and refilling the list after a Delete. Headless, with the test stand-ins for every service.
//   bench_manager [notes] [runs]
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

void WriteNotes(const QString& folder, int count) {
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        NoteRecord note =
            NoteFile::NewNoteRecord(QStringLiteral("Note number %1, a line to read").arg(i), 20260101, 20271231);
        NoteFile::WriteNote(folder + QStringLiteral("note%1.nte").arg(i, 5, 10, QLatin1Char('0')), note);
    }
}

double Ms(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Processor time of this process: on a machine busy with other work, wall time says more about the others.
double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Run {
    double Open;
    double OpenCpu;
    double Refill;
    double RefillCpu;
};

Run TimeOnce(const QString& programFolder, const QString& notes) {
    TestProgram t;
    t.P->Settings = mdlCommonFunc::DefaultSettings(programFolder);
    t.P->Settings.NotesFolder = notes;
    t.P->Settings.PromptDeleteNote = 0;
    t.P->Stealth();
    QElapsedTimer clock;
    clock.start();
    double cpu = CpuMs();
    frmManager& m = mdlCommonFunc::LoadManager(*t.P);
    m.show();
    QApplication::processEvents();
    const double open = Ms(clock);
    const double openCpu = CpuMs() - cpu;
    // Delete a copy of the last note, so the folder stays as it was for the next run.
    const QString spare = notes + QStringLiteral("zzzz.nte");
    QFile::copy(m.lstNotes->item(m.NoteCount() - 1)->text().mid(40), spare);
    mdlCommonFunc::FillNoteList(*t.P);
    m.lstNotes->setCurrentRow(m.NoteCount() - 1);
    clock.restart();
    cpu = CpuMs();
    m.cmdDelete->click();
    QApplication::processEvents();
    const double refill = Ms(clock);
    const double refillCpu = CpuMs() - cpu;
    m.close();
    return {open, openCpu, refill, refillCpu};
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %7.1f ms, min %7.1f ms, max %7.1f ms (%zu runs)\n", what, times[times.size() / 2],
                times.front(), times.back(), times.size());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int notes = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    const QString programFolder = dir.path() + u'/';
    const QString folder = programFolder + QStringLiteral("Notes/");
    WriteNotes(folder, notes);
    std::printf("The manager over %d notes\n", notes);
    {
        FileList files;
        files.SetPattern(QStringLiteral("*.nte"));
        files.SetPath(folder);
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer clock;
            clock.start();
            const double cpu = CpuMs();
            const auto entries = mdlCommonFunc::BuildNoteList(folder, files.Names());
            std::printf("%-28s %7.1f ms, processor time %7.1f ms (%zu lines)\n", "reading the heads alone", Ms(clock),
                        CpuMs() - cpu, entries.size());
        }
    }
    TimeOnce(programFolder, folder); // warm-up: fonts, styles and the file cache
    std::vector<double> open, openCpu, refill, refillCpu;
    for (int i = 0; i < runs; ++i) {
        const Run run = TimeOnce(programFolder, folder);
        open.push_back(run.Open);
        openCpu.push_back(run.OpenCpu);
        refill.push_back(run.Refill);
        refillCpu.push_back(run.RefillCpu);
    }
    Report("open (load, fill, show)", open);
    Report("  processor time", openCpu);
    Report("delete and refill", refill);
    Report("  processor time", refillCpu);
    return 0;
}
