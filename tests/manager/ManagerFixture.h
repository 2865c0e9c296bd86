#pragma once
// A program with fake services, default settings in its own folder, an empty notes folder, and helpers
// to write notes and open the manager.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include <QApplication>
#include <QDir>
#include <QTest>

struct ManagerTest {
    TestProgram T;
    Program& P = *T.P;
    QString Notes;

    ManagerTest() {
        P.Settings = mdlCommonFunc::DefaultSettings(T.ProgramFolder());
        Notes = P.Settings.NotesFolder;
        QDir().mkpath(Notes);
    }
    ~ManagerTest() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmNotes*>(w)) delete w;
    }
    // The host window's load resets ListPos; a test's own ListPos is kept.
    frmManager& Open() {
        const int16_t listPos = P.ListPos;
        P.Stealth();
        P.ListPos = listPos;
        return mdlCommonFunc::LoadManager(P);
    }
    frmManager& M() { return *P.ManagerWindow; }
    void WriteNote(const QString& name, int16_t enabled = 1) {
        NoteRecord note = NoteFile::NewNoteRecord(name, 20200101, 20301231);
        note.Enabled = enabled;
        if (!NoteFile::WriteNote(Notes + name, note)) qFatal("no note written");
    }
    QByteArray Bytes(const QString& name) const {
        QFile file(Notes + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Leaves a text box as the user does: the focus goes elsewhere.
    static void Leave(QLineEdit* box, const QString& text) {
        box->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
};
