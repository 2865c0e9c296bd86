// The manager's list page: check marks written into the note files (and refused when they cannot be),
// Delete and its ListPos rule, the edit starts' caller side, the list menu, the tray button, the about
// box, and what opening the window leaves untouched.
#include "ManagerFixture.h"
#include "core/NotesFolder.h"
#include "editor/frmEditor.h"
#include "manager/frmAbout.h"
#include "tray/frmTray.h"
#include <QFile>

class tst_frmManager : public QObject {
    Q_OBJECT
private slots:
    void checkMarkWritesTheHead_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("damage");  // "", "read-only", "gone", "damaged"
        QTest::addColumn<QByteArray>("head"); // the first 10 bytes afterwards
        QTest::addColumn<bool>("told");
        const QByteArray v3 = QByteArray::fromHex("0000000000000840");
        QTest::newRow("check") << 0 << "" << v3 + QByteArray::fromHex("0100") << false;
        QTest::newRow("read-only: mark back") << 0 << "read-only" << v3 + QByteArray::fromHex("0000") << true;
        QTest::newRow("gone: mark back, list refilled") << 1 << "gone" << QByteArray() << true;
        QTest::newRow("damaged line: nothing written") << 0 << "damaged" << QByteArray("xx") << true;
    }
    void checkMarkWritesTheHead() {
        QFETCH(int, before);
        QFETCH(QString, damage);
        QFETCH(QByteArray, head);
        QFETCH(bool, told);
        ManagerTest t;
        t.WriteNote("a.nte", static_cast<int16_t>(before));
        t.WriteNote("b.nte");
        if (damage == "damaged") {
            QFile bad(t.Notes + "a.nte");
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write("xx");
        }
        const QByteArray old = t.Bytes("a.nte");
        frmManager& m = t.Open();
        QListWidgetItem* line = m.lstNotes->item(0);
        QCOMPARE(line->foreground() != m.lstNotes->item(1)->foreground(), damage == "damaged"); // greyed
        if (damage == "read-only") QVERIFY(QFile::setPermissions(t.Notes + "a.nte", QFile::ReadOwner));
        if (damage == "gone") QVERIFY(QFile::remove(t.Notes + "a.nte"));
        const Qt::CheckState was = line->checkState();

        line->setCheckState(was == Qt::Checked ? Qt::Unchecked : Qt::Checked); // as a click does

        QCOMPARE(t.Bytes("a.nte").left(10), head);
        if (!head.isEmpty()) QCOMPARE(t.Bytes("a.nte").mid(10), old.mid(10)); // the rest as it was
        QCOMPARE(t.T.Questions.Messages.size(), size_t(told ? 1 : 0));
        if (told) {
            QCOMPARE(t.T.Questions.Messages[0].Icon, MessageIcon::Exclamation);
            QVERIFY(t.T.Questions.Messages[0].Text.contains(t.Notes + "a.nte"));
            QCOMPARE(m.lstNotes->count(), damage == "gone" ? 1 : 2); // true to the folder
            if (damage != "gone") QCOMPARE(m.lstNotes->item(0)->checkState(), was);
        }
    }

    void deleteAndListPos_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("select");
        QTest::addColumn<int>("prompt");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selected"); // in the refilled list, -1 none
        QTest::addColumn<bool>("gone");    // the selected file was deleted elsewhere first: the user is told
        const QStringList abc{"a.nte", "b.nte", "c.nte"};
        QTest::newRow("line 0 of 3: none selected") << 3 << 0 << 1 << true << abc.mid(1) << -1 << false;
        QTest::newRow("line 2 of 3: line 1") << 3 << 2 << 1 << true << abc.first(2) << 1 << false;
        QTest::newRow("the only line") << 1 << 0 << 1 << true << QStringList{} << -1 << false;
        QTest::newRow("answered No") << 3 << 1 << 1 << false << abc << 1 << false;
        QTest::newRow("no prompt") << 2 << 1 << 0 << false << abc.first(1) << 0 << false;
        QTest::newRow("none selected") << 2 << -1 << 1 << true << abc.first(2) << -1 << false;
        QTest::newRow("already gone") << 2 << 1 << 0 << false << abc.first(1) << 0 << true;
    }
    void deleteAndListPos() {
        QFETCH(int, count);
        QFETCH(int, select);
        QFETCH(int, prompt);
        QFETCH(bool, answer);
        QFETCH(QStringList, left);
        QFETCH(int, selected);
        QFETCH(bool, gone);
        ManagerTest t;
        for (int i = 0; i < count; ++i) t.WriteNote(QString(QChar('a' + i)) + ".nte");
        t.P.Settings.PromptDeleteNote = static_cast<uint8_t>(prompt);
        t.P.ListPos = static_cast<int16_t>(select);
        frmManager& m = t.Open();
        t.T.Questions.Answers = {answer};
        if (gone) QVERIFY(QFile::remove(m.SelectedFile()));

        m.cmdDelete->click();

        QCOMPARE(QDir(t.Notes).entryList(QDir::Files), left);
        QCOMPARE(m.NoteCount(), left.size());
        QCOMPARE(m.SelectedIndex(), selected);
        const bool asked = prompt == 1 && select >= 0;
        QCOMPARE(t.T.Questions.Questions.size(), size_t(asked ? 1 : 0));
        if (asked) QCOMPARE(t.T.Questions.Questions[0].Title, "Are you sure you want to delete this Note?");
        QCOMPARE(t.T.Questions.Messages.size(), size_t(gone ? 1 : 0));
    }

    void editStartsCallerSide_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("select");
        QTest::addColumn<bool>("editorOpen");
        QTest::addColumn<int>("listPos");
        QTest::addColumn<QString>("confirm"); // the editor's OK button, when one opened
        QTest::newRow("New takes the selection") << "cmdNew" << 2 << false << 2 << "&OK";
        QTest::newRow("New without a selection") << "cmdNew" << -1 << false << -1 << "&OK";
        QTest::newRow("New while editing") << "cmdNew" << 2 << true << 7 << "";
        QTest::newRow("Enter on the list is New") << "Enter" << 1 << false << 1 << "&OK";
        QTest::newRow("Enter on Now is not New") << "Enter on Now" << 1 << false << 7 << "";
        QTest::newRow("Edit takes the selection") << "cmdEdit" << 1 << false << 1 << "&Apply";
        QTest::newRow("Edit without a selection") << "cmdEdit" << -1 << false << 7 << "";
        QTest::newRow("Edit while editing") << "cmdEdit" << 1 << true << 7 << "";
        QTest::newRow("menu New leaves ListPos") << "mnuNewL" << 2 << false << 7 << "&OK";
        QTest::newRow("menu Edit leaves ListPos") << "mnuEditL" << 2 << false << 7 << "&OK";
    }
    void editStartsCallerSide() {
        QFETCH(QString, start);
        QFETCH(int, select);
        QFETCH(bool, editorOpen);
        QFETCH(int, listPos);
        QFETCH(QString, confirm);
        ManagerTest t;
        for (const char* name : {"a.nte", "b.nte", "c.nte"}) t.WriteNote(name);
        frmManager& m = t.Open();
        m.lstNotes->setCurrentRow(select);
        t.P.ListPos = 7;
        t.P.EditorOpen = editorOpen;
        if (start == "cmdNew") m.cmdNew->click();
        if (start == "Enter") QTest::keyClick(m.lstNotes, Qt::Key_Return); // the default button
        if (start == "Enter on Now") {
            m.cmdNow->setFocus();
            QTest::keyClick(m.cmdNow, Qt::Key_Return);
        }
        if (start == "cmdEdit") m.cmdEdit->click();
        if (start == "mnuNewL") t.P.Stealth().mnuNewL->trigger();
        if (start == "mnuEditL") t.P.Stealth().mnuEditL->trigger();
        QCOMPARE(int(t.P.ListPos), listPos);
        QCOMPARE(t.P.EditorWindow ? t.P.EditorWindow->cmkOK->text() : QString(), confirm);
    }

    void readingTheList() {
        ManagerTest t;
        t.WriteNote("a.nte");
        t.WriteNote("b.nte");
        t.P.ListPos = 1;
        frmManager& m = t.Open();
        QCOMPARE(m.SelectedFile(), t.Notes + "b.nte");
        // The paths come from the folder that was read, not from a notes folder box half-way through typing.
        m.txtNoteDir->setText("/half/typed");
        mdlCommonFunc::FillNoteList(t.P);
        QCOMPARE(m.SelectedFile(), t.Notes + "b.nte");
        m.lstNotes->clearSelection();
        QCOMPARE(m.SelectedFile(), QString());
    }

    void rightClickPopsTheListMenu() {
        ManagerTest t;
        for (const char* name : {"a.nte", "b.nte", "c.nte"}) t.WriteNote(name);
        frmManager& m = t.Open();
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        const QPoint onLine2 = m.lstNotes->visualItemRect(m.lstNotes->item(2)).center();
        QTest::mouseClick(m.lstNotes->viewport(), Qt::RightButton, {}, onLine2);
        QMenu& menu = t.P.Stealth().mnuList;
        QTRY_VERIFY(menu.isVisible());
        menu.hide();
        QCOMPARE(m.SelectedIndex(), 0); // the selection stayed where it was
    }

    void trayButtonFlips() {
        ManagerTest t;
        t.P.Settings.ShowOnTrayStart = 0;
        frmManager& m = t.Open();
        QCOMPARE(m.cmdTrayActive->text(), "Activate TrayNotes");
        m.cmdTrayActive->click();
        QVERIFY(t.P.TrayActive);
        QVERIFY(t.T.TrayFactory.Last->InTray);
        QCOMPARE(m.cmdTrayActive->text(), "De-Activate TrayNotes");
        m.cmdTrayActive->click();
        QVERIFY(!t.P.TrayActive);
        QCOMPARE(m.cmdTrayActive->text(), "Activate TrayNotes");
        m.cmdTrayActive->click();
        t.P.Stealth().mnuClose->trigger(); // the tray menu's Close TrayNotes shows on the button too
        QCOMPARE(m.cmdTrayActive->text(), "Activate TrayNotes");
        QCOMPARE(t.T.ProcessEnd.Calls, 0);
    }

    void aboutFromEveryPlace_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("manager") << "cmdAbout";
        QTest::newRow("list menu") << "mnuAboutL";
        QTest::newRow("tray menu") << "mnuAbout";
    }
    void aboutFromEveryPlace() {
        QFETCH(QString, from);
        ManagerTest t;
        frmManager& m = t.Open();
        if (from == "cmdAbout") m.cmdAbout->click();
        if (from == "mnuAboutL") t.P.Stealth().mnuAboutL->trigger();
        if (from == "mnuAbout") t.P.Stealth().mnuAbout->trigger();
        QVERIFY(t.P.AboutWindow);
        QVERIFY(t.P.AboutWindow->isVisible() && t.P.AboutWindow->isModal());
        QCOMPARE(t.P.AboutWindow->windowTitle(), "Pinvale: About the Author. . .");
        QPointer<frmAbout> about = t.P.AboutWindow;
        t.P.AboutWindow->cmdOK->click();
        QTRY_VERIFY(about.isNull());
        QVERIFY(t.P.ManagerOpen);
    }

    void openingWritesNothing() {
        ManagerTest t;
        t.WriteNote("a.nte", 0);
        t.P.Settings.TrayOnSystemStart = 0; // would ask, if filling ran the handler
        t.P.Settings.ShowOnTrayStart = 0;
        t.P.Settings.PromptNoTrayOnBoot = 1;
        t.P.Settings.PromptNoShowOnTray = 1;
        t.P.Settings.EveryHours = 0;
        t.P.Settings.EveryMinutes = 0; // would become 1, if filling ran the box's rule
        const SettingsRecord before = t.P.Settings;
        const QByteArray note = t.Bytes("a.nte");
        frmManager& m = t.Open();
        QVERIFY(t.T.Questions.Questions.empty());
        QVERIFY(t.P.Settings == before);
        QVERIFY(!QFile::exists(t.T.ProgramFolder() + mdlCommonFunc::SettingsFileName));
        QCOMPARE(t.Bytes("a.nte"), note);
        QVERIFY(!m.chkOnSys->isChecked() && !m.chkOnProg->isChecked());
        QCOMPARE(m.txtMins->text(), "0");
    }

    void closingSavesTheBoxBeingTyped() {
        ManagerTest t;
        t.P.Settings.AtTimes[0].Enabled = 1;
        frmManager& m = t.Open();
        m.show();
        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        m.tabMgr->setCurrentIndex(1);
        m.txtHr[0]->setFocus();
        QTRY_VERIFY(m.txtHr[0]->hasFocus());
        m.txtHr[0]->setText("7");
        m.close();
        SettingsRecord saved;
        QVERIFY(mdlCommonFunc::ReadSettingsFile(t.T.ProgramFolder() + mdlCommonFunc::SettingsFileName, saved));
        QCOMPARE(int(saved.AtTimes[0].Hour), 7);
    }
};

QTEST_MAIN(tst_frmManager)
#include "tst_frmManager.moc"
