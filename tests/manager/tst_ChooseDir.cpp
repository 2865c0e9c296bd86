// The folder chooser: OK into the manager's notes folder box, Up at and below a root, New Folder and
// its message, and one chooser at a time.
#include "ManagerFixture.h"
#include "manager/frmChooseDir.h"

class tst_ChooseDir : public QObject {
    Q_OBJECT
private slots:
    void okRightAfterOpening_data() {
        QTest::addColumn<bool>("managerOpen");
        QTest::newRow("manager open") << true;
        QTest::newRow("manager closed meanwhile") << false;
    }
    void okRightAfterOpening() {
        QFETCH(bool, managerOpen);
        ManagerTest t;
        frmManager& m = t.Open();
        QPointer<frmChooseDir> chooser = &frmChooseDir::ShowChooser(t.P);
        QCOMPARE(&frmChooseDir::ShowChooser(t.P), chooser.data()); // one at a time
        if (!managerOpen) m.close();
        const QString before = t.P.Settings.NotesFolder;
        chooser->cmdOK->click();
        if (managerOpen) {
            QCOMPARE(m.txtNoteDir->text(), t.T.ProgramFolder()); // with its final separator
            QCOMPARE(t.P.Settings.NotesFolder, t.T.ProgramFolder());
            QCOMPARE(t.P.Stealth().flbNotes.Path(), before); // the folder test waits for leaving the box
        } else {
            QCOMPARE(t.P.Settings.NotesFolder, before);
        }
        QTRY_VERIFY(chooser.isNull());
    }

    void upStopsAtTheDriveRoot() {
        ManagerTest t;
        frmChooseDir chooser(t.P);
        chooser.Form_Load();
        const QString program = QDir::cleanPath(t.T.ProgramFolder());
        QCOMPARE(chooser.ShownFolder(), program);
        chooser.cmdUp->click();
        QCOMPARE(chooser.ShownFolder(), QFileInfo(program).path());
        chooser.AddDrive({"Program", program}); // a root with a parent: Up must not leave the drive
        chooser.drvA->setCurrentIndex(chooser.drvA->count() - 1);
        chooser.drvA_Change();
        QCOMPARE(chooser.ShownFolder(), program);
        chooser.cmdUp->click();
        QCOMPARE(chooser.ShownFolder(), program);
    }

    void driveNotReady() {
        ManagerTest t;
        frmChooseDir chooser(t.P);
        chooser.Form_Load();
        const QString shown = chooser.ShownFolder();
        chooser.AddDrive({"Card (/media/card-gone)", "/media/card-gone"});
        chooser.drvA->setCurrentIndex(chooser.drvA->count() - 1);
        chooser.drvA_Change();
        QCOMPARE(t.T.Questions.Messages.size(), size_t(1));
        QCOMPARE(t.T.Questions.Messages[0].Title, "A Problem With the Drive?");
        QCOMPARE(t.T.Questions.Messages[0].Text, QStringLiteral("Device is not ready. Code (%1)").arg(ENOENT));
        QCOMPARE(t.T.Questions.Messages[0].Icon, MessageIcon::Exclamation);
        QCOMPARE(chooser.ShownFolder(), shown); // the folder list keeps what it showed
        QCOMPARE(chooser.drvA->currentIndex(), chooser.drvA->count() - 1);
    }

    void newFolder_data() {
        QTest::addColumn<QString>("name"); // a null string: the input box was cancelled
        QTest::addColumn<int>("code");     // 0: made
        QTest::newRow("a new name") << "Fresh" << 0;
        QTest::newRow("over an existing name") << "Notes" << int(EEXIST);
        QTest::newRow("cancelled") << QString() << int(EEXIST);
        QTest::newRow("a path, not a name") << "a/b" << int(EINVAL);
    }
    void newFolder() {
        QFETCH(QString, name);
        QFETCH(int, code);
        ManagerTest t;
        frmChooseDir chooser(t.P);
        chooser.Form_Load();
        t.T.Questions.Inputs = {name};
        chooser.cmdNew->click();
        QCOMPARE(t.T.Questions.Questions.size(), size_t(1));
        QCOMPARE(t.T.Questions.Questions[0].Title, "New Folder. . .");
        const QString made = QDir::cleanPath(t.T.ProgramFolder() + name);
        if (code == 0) {
            QVERIFY(QFileInfo(made).isDir());
            QVERIFY(t.T.Questions.Messages.empty());
            QCOMPARE(chooser.HighlightedFolder(), made); // listed, and ready for OK
            return;
        }
        QCOMPARE(t.T.Questions.Messages.size(), size_t(1));
        QCOMPARE(t.T.Questions.Messages[0].Title, "A Problem With the New Folder?");
        QCOMPARE(t.T.Questions.Messages[0].Text, QStringLiteral("Invalid Folder Name. Code (%1)").arg(code));
        QCOMPARE(t.T.Questions.Messages[0].Icon, MessageIcon::Exclamation);
        QVERIFY(!QFileInfo::exists(t.T.ProgramFolder() + "a"));
    }
};

QTEST_MAIN(tst_ChooseDir)
#include "tst_ChooseDir.moc"
