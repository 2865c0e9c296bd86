#pragma once
// Shared set-up of the ShowNotes tests: a program with fake services, a notes folder under its temporary
// program folder, real note files, and the note windows that a call opened.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "fakes/FakeServices.h"
#include "notes/ShowNotes.h"
#include "notes/frmNotes.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPoint>
#include <QTest>
#include <algorithm>
#include <memory>

namespace ShowNotesFixture {

// A note that is enabled and due on the fake clock's day (5 December 2026).
inline NoteRecord DueNote(const QString& text) {
    NoteRecord note;
    note.Text = text;
    note.Enabled = 1;
    note.ShowFrom = 20260101;
    note.ShowUntil = 20271231;
    note.FontName = QStringLiteral("DejaVu Sans");
    note.FontSize = 10;
    note.BackColour = 0x0080FFFF;
    return note;
}

class Notes {
public:
    Notes() {
        P->Settings.NotesFolder = T.ProgramFolder() + QStringLiteral("Notes") + QDir::separator();
        QDir().mkpath(P->Settings.NotesFolder);
        P->Settings.NoteWidth = 180;
        P->Settings.NoteHeight = 180;
        P->Settings.Arrangement = 1;
    }
    ~Notes() {
        // The windows go before the program they point at.
        for (frmNotes* w : Windows()) delete w;
    }

    TestProgram T;
    Program* const P = T.P.get();

    QString Path(const QString& name) const { return P->Settings.NotesFolder + name; }

    void Write(const QString& name, const NoteRecord& note) {
        QVERIFY2(NoteFile::WriteNote(Path(name), note), qPrintable(name));
    }
    // Notes "n1.nte" ... "nN.nte" with the texts "Note 1" ...; names sort in number order up to 9.
    void WriteMany(int count, const QString& prefix = QStringLiteral("n")) {
        for (int i = 1; i <= count; ++i)
            Write(prefix + QString::number(i) + ".nte", DueNote("Note " + QString::number(i)));
    }
    // The host window's file list as the user would have it after the folder changed.
    void Refresh() {
        FileList& list = P->Stealth().flbNotes;
        list.SetPath(P->Settings.NotesFolder);
        list.Refresh();
    }

    // The open note windows, in the order of their ShownNotes entries.
    static std::vector<frmNotes*> Windows() {
        std::vector<frmNotes*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* note = qobject_cast<frmNotes*>(w)) found.push_back(note);
        std::sort(found.begin(), found.end(), [](frmNotes* a, frmNotes* b) {
            return a->lblIndex.trimmed().toInt() < b->lblIndex.trimmed().toInt();
        });
        return found;
    }

    int OpenEntries() {
        mdlCommonFunc::CountOpenNotes(*P);
        return P->OpenNoteCount;
    }
};

// Where the window stands on the screen, in twips (left, top).
inline QPoint TwipsPos(const frmNotes* w) {
    return {w->x() * 15, w->y() * 15};
}

} // namespace ShowNotesFixture
