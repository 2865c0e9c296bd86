// The folder chooser: OK into the manager's notes folder box, Up at and below a root, hidden folders,
// a drive that fails, New Folder and its message, and one chooser at a time.
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
        QCOMPARE(chooser.ShownFolder(), program);
        chooser.cmdUp->click();
        QCOMPARE(chooser.ShownFolder(), program);
    }

    // Hidden folders stay out of the list, except the one that leads back to the program's folder.
    void hiddenFoldersOnTheWayBack() {
        ManagerTest t;
        const QString base = QDir::cleanPath(t.T.ProgramFolder());
        QVERIFY(QDir().mkpath(base + "/.config") && QDir().mkpath(base + "/.local/prog"));
        t.P.ProgramFolder = base + "/.local/prog/";
        frmChooseDir chooser(t.P);
        chooser.Form_Load();
        QTest::keyClick(chooser.dirA, Qt::Key_Left); // Up, by the keys
        chooser.cmdUp->click();
        QCOMPARE(chooser.ShownFolder(), base);
        QCOMPARE(chooser.dirA->findItems(".local", Qt::MatchEndsWith).size(), 1);
        QVERIFY(chooser.dirA->findItems(".config", Qt::MatchEndsWith).isEmpty());
        chooser.dirA->setCurrentItem(chooser.dirA->findItems(".local", Qt::MatchEndsWith).value(0));
        QTest::keyClick(chooser.dirA, Qt::Key_Right); // opened, by the keys
        QCOMPARE(chooser.ShownFolder(), base + "/.local");
    }

    void driveNotReady() {
        ManagerTest t;
        frmChooseDir chooser(t.P);
        chooser.Form_Load();
        const QString shown = chooser.ShownFolder();
        chooser.AddDrive({"Program", shown}); // the list's drive: the program's folder is its root
        chooser.drvA->setCurrentIndex(chooser.drvA->count() - 1);
        chooser.AddDrive({"Card (/media/card-gone)", "/media/card-gone"});
        const QString top = chooser.dirA->item(0)->text();
        chooser.drvA->setCurrentIndex(chooser.drvA->count() - 1);
        QCOMPARE(t.T.Questions.Messages.size(), size_t(1));
        QCOMPARE(t.T.Questions.Messages[0].Title, "A Problem With the Drive?");
        QCOMPARE(t.T.Questions.Messages[0].Text, QStringLiteral("Device is not ready. Code (%1)").arg(ENOENT));
        QCOMPARE(t.T.Questions.Messages[0].Icon, MessageIcon::Exclamation);
        QCOMPARE(chooser.ShownFolder(), shown); // the folder list keeps what it showed
        QCOMPARE(chooser.drvA->currentIndex(), chooser.drvA->count() - 1);
        chooser.dirA_DblClick(chooser.dirA->findItems(QStringLiteral("Notes"), Qt::MatchEndsWith).value(0));
        QCOMPARE(chooser.ShownFolder(), shown + QStringLiteral("/Notes"));
        QCOMPARE(chooser.dirA->item(0)->text(), top); // still listed from the drive that opened
        chooser.cmdUp->click();
        chooser.cmdUp->click(); // past the root of the drive listed: listed from the root of all
        QCOMPARE(chooser.dirA->item(0)->text(), QStringLiteral("/"));
        QVERIFY(chooser.dirA->currentItem());
    }

    void newFolder_data() {
        QTest::addColumn<QString>("in");   // the sub-folder clicked first, if any
        QTest::addColumn<QString>("name"); // a null string: the input box was cancelled
        QTest::addColumn<int>("code");     // 0: made
        QTest::newRow("a new name") << ""
                                    << "Fresh" << 0;
        QTest::newRow("in the clicked sub-folder") << "Notes"
                                                   << "Fresh" << 0;
        QTest::newRow("over an existing name") << ""
                                               << "Notes" << int(EEXIST);
        QTest::newRow("cancelled") << "" << QString() << int(EEXIST);
        QTest::newRow("a path, not a name") << ""
                                            << "a/b" << int(EINVAL);
    }
    void newFolder() {
        QFETCH(QString, in);
        QFETCH(QString, name);
        QFETCH(int, code);
        ManagerTest t;
        frmChooseDir chooser(t.P);
        chooser.Form_Load();
        if (!in.isEmpty()) chooser.dirA->setCurrentItem(chooser.dirA->findItems(in, Qt::MatchEndsWith).value(0));
        const QString highlighted = chooser.HighlightedFolder();
        t.T.Questions.Inputs = {name};
        chooser.cmdNew->click();
        QCOMPARE(t.T.Questions.Questions.size(), size_t(1));
        QCOMPARE(t.T.Questions.Questions[0].Title, "New Folder. . .");
        QCOMPARE(chooser.HighlightedFolder(), highlighted); // the list is refreshed around the user's choice
        const QString made = QDir::cleanPath(highlighted + u'/' + name);
        if (code == 0) {
            QVERIFY(QFileInfo(made).isDir());
            QVERIFY(t.T.Questions.Messages.empty());
            if (in.isEmpty()) QVERIFY(!chooser.dirA->findItems(name, Qt::MatchEndsWith).isEmpty()); // listed
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
