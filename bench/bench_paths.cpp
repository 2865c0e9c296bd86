// The hot paths against generated notes folders of 100, 1,000 and 10,000 notes (Google Benchmark):
// listing the folder, the manager's list lines, ShowNotes in its three arrangements, one note window
// built from its file, the tray tick, the manager's fill and the editor opened on a note. Headless, with the test
// stand-ins.
//   bench_paths [--benchmark_filter=REGEX] [--benchmark_repetitions=N]
#include "NotesGenerator.h"
#include "app/frmStealth.h"
#include "core/FileList.h"
#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "editor/EditFlow.h"
#include "editor/frmEditor.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/ShowNotes.h"
#include "notes/frmNotes.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// One generated folder per size, made on first use and kept for the whole run.
const QString& Folder(int64_t count) {
    static QTemporaryDir root;
    static std::map<int64_t, QString> made;
    auto found = made.find(count);
    if (found != made.end()) return found->second;
    const QString folder = root.path() + QStringLiteral("/notes%1/").arg(count);
    Bench::WriteNotesFolder(folder, {static_cast<int>(count), 20260615, QStringLiteral(PVL3_BENCH_PICTURE), 5});
    return made.emplace(count, folder).first->second;
}

std::unique_ptr<TestProgram> ProgramOver(const QString& folder) {
    auto t = std::make_unique<TestProgram>();
    t->P->Settings.NotesFolder = folder;
    t->Clock.Current = QDateTime(QDate(2026, 6, 15), QTime(10, 30));
    t->P->Stealth().Form_Load();
    return t;
}

void CloseNoteWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* note = qobject_cast<frmNotes*>(w)) delete note;
}

void FolderListing(benchmark::State& state) {
    const QString& folder = Folder(state.range(0));
    for (auto _ : state) {
        FileList list; // a fresh list always reads the folder
        list.SetPattern(QStringLiteral("*.nte"));
        list.SetPath(folder);
        list.Refresh();
        benchmark::DoNotOptimize(list.ListCount());
    }
}

void NoteListLines(benchmark::State& state) {
    const QString& folder = Folder(state.range(0));
    FileList list;
    list.SetPattern(QStringLiteral("*.nte"));
    list.SetPath(folder);
    list.Refresh();
    for (auto _ : state) benchmark::DoNotOptimize(mdlCommonFunc::BuildNoteList(folder, list.Names()).size());
}

// ShowNotes "All Notes" on a fresh program; arrangement 0 stack, 1 cascade, 2 scatter. The windows are
// closed outside the timing.
void ShowAllNotes(benchmark::State& state) {
    const QString& folder = Folder(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto t = ProgramOver(folder);
        t->P->Settings.Arrangement = static_cast<uint8_t>(state.range(1));
        state.ResumeTiming();
        mdlCommonFunc::ShowNotes(*t->P, 0, 2);
        state.PauseTiming();
        CloseNoteWindows();
        t.reset();
        state.ResumeTiming();
    }
}

// Today's notes, only enabled ones: every note's head is read.
void ShowTodaysEnabled(benchmark::State& state) {
    const QString& folder = Folder(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto t = ProgramOver(folder);
        state.ResumeTiming();
        mdlCommonFunc::ShowNotes(*t->P, -1, 1);
        state.PauseTiming();
        CloseNoteWindows();
        t.reset();
        state.ResumeTiming();
    }
}

void NoteWindowFromFile(benchmark::State& state) {
    auto t = ProgramOver(Folder(100));
    t->P->Settings.Arrangement = 0; // one window
    for (auto _ : state) {
        mdlCommonFunc::ShowNotes(*t->P, 0, 2);
        state.PauseTiming();
        CloseNoteWindows();
        state.ResumeTiming();
    }
}

void TrayTick(benchmark::State& state) {
    auto t = ProgramOver(Folder(100));
    t->P->Settings.ShowOnTrayStart = 0;
    t->P->Settings.AnimateIcon = static_cast<uint8_t>(state.range(0));
    auto* tray = new frmTray(*t->P);
    tray->Form_Load();
    tray->tmrTray.stop();
    for (auto _ : state) tray->tmrTray_Timer();
    delete tray;
}

// Opening the manager: the window, its options and its list.
void ManagerOpen(benchmark::State& state) {
    auto t = ProgramOver(Folder(state.range(0)));
    for (auto _ : state) {
        mdlCommonFunc::LoadManager(*t->P);
        state.PauseTiming();
        delete t->P->ManagerWindow;
        state.ResumeTiming();
    }
}

// Refilling the list, as after a Delete.
void ManagerFill(benchmark::State& state) {
    auto t = ProgramOver(Folder(state.range(0)));
    mdlCommonFunc::LoadManager(*t->P);
    for (auto _ : state) mdlCommonFunc::FillNoteList(*t->P);
    delete t->P->ManagerWindow;
}

// The manager's Edit: the editor and its live note window, from the note's file.
void EditorOpen(benchmark::State& state) {
    auto t = ProgramOver(Folder(100));
    QString path;
    NoteRecord note;
    for (const QString& name : NativeFile::ListFiles(Folder(100), QStringLiteral("*.nte")))
        if (path.isEmpty() && NoteFile::ReadNote(Folder(100) + name, note, nullptr)) path = Folder(100) + name;
    mdlCommonFunc::LoadManager(*t->P); // open, as when its Edit is pressed: closing the editor ends nothing
    for (auto _ : state) {
        mdlEdit::StartExistingEdit(*t->P, path, true);
        state.PauseTiming();
        t->P->EditorWindow->cmdCancel_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    delete t->P->ManagerWindow;
}

} // namespace

BENCHMARK(FolderListing)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(NoteListLines)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ShowAllNotes)
    ->ArgsProduct({{1000, 10000}, {0, 1, 2}})
    ->ArgNames({"notes", "arrangement"})
    ->Unit(benchmark::kMillisecond);
// The cascade again at three times the size: the time must grow no faster than the folder.
BENCHMARK(ShowAllNotes)->Args({30000, 1})->ArgNames({"notes", "arrangement"})->Unit(benchmark::kMillisecond);
BENCHMARK(ShowTodaysEnabled)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(NoteWindowFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(TrayTick)->Arg(0)->Arg(1)->ArgName("animate")->Unit(benchmark::kMicrosecond);
BENCHMARK(ManagerOpen)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ManagerFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorOpen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
