// The option pages: number boxes corrected on leaving, the never-zero interval, the launch options'
// question, the notes folder test, the alarm sound, and the controls that store at a click.
#include "ManagerFixture.h"
#include "tray/Schedule.h"

class tst_ManagerOptions : public QObject {
    Q_OBJECT
private slots:
    void numberBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("stored");
        const auto row = [](const char* name, const char* box, const char* typed, const char* shows, int stored) {
            QTest::newRow(name) << QString(box) << QString(typed) << QString(shows) << stored;
        };
        row("hour 0", "txtHr", "0", "1", 1);
        row("hour 13", "txtHr", "13", "12", 12);
        row("hour 7.9 stays, stores 7", "txtHr", "7.9", "7.9", 7);
        row("hour 12abc", "txtHr", "12abc", "12", 12);
        row("minute 60", "txtMin", "60", "59", 59);
        row("minute -1", "txtMin", "-1", "00", 0);
        row("minute abc", "txtMin", "abc", "0", 0);
        row("minute blanks inside", "txtMin", " 3 0", "30", 30);
        row("minute 1e1", "txtMin", "1e1", "1e1", 10);
        row("width beyond the screen", "txtWidth", "2000", "1024", 1024);
        row("width -5", "txtWidth", "-5", "0", 0);
        row("height beyond the screen", "txtHeight", "900", "768", 768);
        row("height huge", "txtHeight", "1e999", "768", 768);
    }
    void numberBoxes() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shows);
        QFETCH(int, stored);
        ManagerTest t;
        frmManager& m = t.Open();
        QLineEdit* edit = box == "txtHr"      ? m.txtHr[3]
                          : box == "txtMin"   ? m.txtMin[3]
                          : box == "txtWidth" ? m.txtWidth
                                              : m.txtHeight;
        ManagerTest::Leave(edit, typed);
        QCOMPARE(edit->text(), shows);
        const SettingsRecord& s = t.P.Settings;
        const int field = box == "txtHr"      ? s.AtTimes[3].Hour
                          : box == "txtMin"   ? s.AtTimes[3].Minute
                          : box == "txtWidth" ? s.NoteWidth
                                              : s.NoteHeight;
        QCOMPARE(field, stored);
    }

    void interval_data() {
        QTest::addColumn<bool>("hoursBox"); // the box left
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("showsHours");
        QTest::addColumn<QString>("showsMinutes");
        QTest::addColumn<int>("everyHours");
        QTest::addColumn<int>("everyMinutes");
        const auto row = [](const char* name, bool hoursBox, const char* hours, const char* minutes,
                            const char* showsHours, const char* showsMinutes, int everyHours, int everyMinutes) {
            QTest::newRow(name) << hoursBox << QString(hours) << QString(minutes) << QString(showsHours)
                                << QString(showsMinutes) << everyHours << everyMinutes;
        };
        row("hours 0 with 0 minutes", true, "0", "0", "0", "1", 0, 1);
        row("minutes 0 with 0 hours", false, "0", "0", "0", "1", 3, 1);
        row("hours 12.6 stores 13", true, "12.6", "0", "12.6", "0", 13, 0);
        row("hours 7.5 to even 8", true, "7.5", "0", "7.5", "0", 8, 0);
        row("hours 6.5 to even 6", true, "6.5", "0", "6.5", "0", 6, 0);
        row("hours 13", true, "13", "5", "12", "5", 12, 0);
        row("minutes 59.5 stores 60", false, "1", "59.5", "1", "59.5", 3, 60);
        row("minutes -4 with 0 hours", false, "0", "-4", "0", "1", 3, 1);
    }
    void interval() {
        QFETCH(bool, hoursBox);
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(QString, showsHours);
        QFETCH(QString, showsMinutes);
        QFETCH(int, everyHours);
        QFETCH(int, everyMinutes);
        ManagerTest t;
        t.P.Settings.EveryHours = 3;
        t.P.Settings.EveryMinutes = 0;
        frmManager& m = t.Open();
        m.txtHrs->setText(hours);
        m.txtMins->setText(minutes);
        t.P.NextShow = {};
        ManagerTest::Leave(hoursBox ? m.txtHrs : m.txtMins, hoursBox ? hours : minutes);
        QCOMPARE(m.txtHrs->text(), showsHours);
        QCOMPARE(m.txtMins->text(), showsMinutes);
        QCOMPARE(int(t.P.Settings.EveryHours), everyHours);
        QCOMPARE(int(t.P.Settings.EveryMinutes), everyMinutes);
        QVERIFY(t.P.NextShow.NextHour >= 0); // the next show was worked out again
    }

    // Asking, and No putting the option back on, are this box's handler too when the tray menu's item sets
    // the box: tst_Stealth's "manager open" rows. Here the box itself, with no question due.
    void launchBox_data() {
        QTest::addColumn<bool>("boot"); // chkOnSys, else chkOnProg
        QTest::addColumn<bool>("turnOn");
        for (bool boot : {false, true}) {
            QTest::addRow("%s: off without prompt", boot ? "chkOnSys" : "chkOnProg") << boot << false;
            QTest::addRow("%s: on never asks", boot ? "chkOnSys" : "chkOnProg") << boot << true;
        }
    }
    void launchBox() {
        QFETCH(bool, boot);
        QFETCH(bool, turnOn);
        ManagerTest t;
        uint8_t& field = boot ? t.P.Settings.TrayOnSystemStart : t.P.Settings.ShowOnTrayStart;
        field = turnOn ? 0 : 1;
        (boot ? t.P.Settings.PromptNoTrayOnBoot : t.P.Settings.PromptNoShowOnTray) = turnOn ? 1 : 0;
        frmManager& m = t.Open();
        QCheckBox* box = boot ? m.chkOnSys : m.chkOnProg;
        QAction* item = boot ? t.P.Stealth().mnuTonSys : t.P.Stealth().mnuShow;

        box->click();

        QVERIFY(t.T.Questions.Questions.empty());
        QCOMPARE(int(field), turnOn ? 1 : 0);
        QCOMPARE(box->isChecked(), turnOn);
        QCOMPARE(item->isChecked(), turnOn);
        QVERIFY(!QFile::exists(t.T.ProgramFolder() + mdlCommonFunc::SettingsFileName)); // written at closing only
    }

    void notesFolderOnLeaving_data() {
        QTest::addColumn<QString>("folder"); // under the program folder
        QTest::addColumn<QString>("files");  // to put into it, comma-separated
        QTest::addColumn<bool>("kept");
        const auto row = [](const char* name, const char* folder, const char* files, bool kept) {
            QTest::newRow(name) << QString(folder) << QString(files) << kept;
        };
        row("holding a note", "Mine/", "a.nte", true);
        row("holding any file", "Mine/", "readme.txt", true);
        row("empty", "Mine/", "", false);
        row("only a hidden file", "Mine/", ".hidden", false);
        row("only a folder", "Mine/", "sub/", false);
        row("no final separator", "Mine", "a.nte", false);
        row("missing, default missing too", "Gone/", "", false);
    }
    void notesFolderOnLeaving() {
        QFETCH(QString, folder);
        QFETCH(QString, files);
        QFETCH(bool, kept);
        ManagerTest t;
        const QString typed = t.T.ProgramFolder() + folder;
        if (folder != "Gone/")
            QVERIFY(QDir().mkpath(t.T.ProgramFolder() + "Mine"));
        else
            QVERIFY(QDir(t.Notes).removeRecursively());
        for (const QString& name : files.split(',', Qt::SkipEmptyParts)) {
            QFile file(t.T.ProgramFolder() + "Mine/" + name);
            QVERIFY(name.endsWith('/') ? QDir().mkpath(file.fileName()) : file.open(QIODevice::WriteOnly));
        }
        frmManager& m = t.Open();
        m.txtNoteDir->setText(typed);
        QCOMPARE(t.P.Settings.NotesFolder, typed); // every edit stores
        ManagerTest::Leave(m.txtNoteDir, typed);
        const QString expected = kept ? typed : t.Notes;
        QCOMPARE(m.txtNoteDir->text(), expected);
        QCOMPARE(t.P.Settings.NotesFolder, expected);
        QCOMPARE(t.P.Stealth().flbNotes.Path(), expected);
        QVERIFY(QFileInfo(t.Notes).isDir());
    }

    void alarmSound_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text"); // "wave" stands for an existing wave file
        QTest::addColumn<bool>("playable");
        const auto row = [](const char* name, const char* action, const char* text, bool playable) {
            QTest::newRow(name) << QString(action) << QString(text) << playable;
        };
        row("browse, cancelled", "browse", "", false);
        row("browse, a wave file", "browse", "wave", true);
        row("left with a text file", "leave", "default", false);
        row("left with a wave file", "leave", "wave", true);
    }
    void alarmSound() {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(bool, playable);
        ManagerTest t;
        const QString wave = t.T.ProgramFolder() + "ring.wav";
        QFile(wave).open(QIODevice::WriteOnly);
        t.P.Settings.PlayAlarm = 1;
        frmManager& m = t.Open();
        if (action == "browse") { // as the user does it: from the box, a click on the button, then onwards
            t.T.Choosers.Files = {text == "wave" ? wave : QString()};
            for (int page = 0; page < m.tabMgr->count(); ++page)
                if (m.tabMgr->widget(page)->isAncestorOf(m.txtSound)) m.tabMgr->setCurrentIndex(page);
            m.show();
            m.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&m));
            m.txtSound->setFocus();
            QTest::mouseClick(m.cmdBrowsS, Qt::LeftButton);
            m.chkSound->setFocus(); // leaving the box was the click: nothing more to correct
            QCOMPARE(t.T.Choosers.FileTitles, QStringList{"Choose Alarm. . ."});
        } else {
            ManagerTest::Leave(m.txtSound, text == "wave" ? wave : t.T.ProgramFolder() + "notes.txt");
        }
        const QString expected = text == "wave" ? wave : text == "default" ? t.T.ProgramFolder() + "Alarm.wav" : "";
        QCOMPARE(m.txtSound->text(), expected);
        QCOMPARE(t.P.Settings.AlarmSound, expected);
        QCOMPARE(m.cmdPlayAlarm->isEnabled(), playable);
    }

    void clicksStore_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"chkEnTime", "chkEnTimer", "chkSound", "chkAniIcon", "chkIfEn", "chkTraySt",
                                 "chkApplyEd", "chkTrayLa", "chkCloseNote", "chkRemNote", "chkMultiTray"})
            QTest::newRow(name) << name;
    }
    void clicksStore() {
        QFETCH(QString, control);
        ManagerTest t;
        frmManager& m = t.Open();
        SettingsRecord& s = t.P.Settings;
        const std::map<QString, std::pair<QCheckBox*, uint8_t*>> boxes = {
            {"chkEnTime", {m.chkEnTime[2], &s.AtTimes[2].Enabled}},
            {"chkEnTimer", {m.chkEnTimer, &s.EveryEnabled}},
            {"chkSound", {m.chkSound, &s.PlayAlarm}},
            {"chkAniIcon", {m.chkAniIcon, &s.AnimateIcon}},
            {"chkIfEn", {m.chkIfEn, &s.TrayOnlyEnabled}},
            {"chkTraySt", {m.chkTraySt, &s.PromptNoTrayOnBoot}},
            {"chkApplyEd", {m.chkApplyEd, &s.PromptApplyEdit}},
            {"chkTrayLa", {m.chkTrayLa, &s.PromptNoShowOnTray}},
            {"chkCloseNote", {m.chkCloseNote, &s.PromptCloseNote}},
            {"chkRemNote", {m.chkRemNote, &s.PromptDeleteNote}},
            {"chkMultiTray", {m.chkMultiTray, &s.PromptMultiCopies}}};
        const auto [box, field] = boxes.at(control);
        for (int round = 0; round < 2; ++round) {
            const uint8_t before = *field;
            box->click();
            QCOMPARE(int(*field), before == 1 ? 0 : 1);
        }
        QVERIFY(t.T.Questions.Questions.empty());
    }

    void rowsArrangementAndHelp() {
        ManagerTest t;
        t.P.Settings.AtTimes[1].Enabled = 0;
        t.P.Settings.Arrangement = 7; // anything unknown shows as the stack
        frmManager& m = t.Open();
        QVERIFY(m.optNeat->isChecked());
        QVERIFY(!m.txtHr[1]->isEnabled() && !m.cboAMPM[1]->isEnabled());
        m.chkEnTime[1]->click();
        QVERIFY(m.txtHr[1]->isEnabled() && m.txtMin[1]->isEnabled() && m.cboAMPM[1]->isEnabled());
        m.cboAMPM[1]->setCurrentIndex(0);
        QCOMPARE(int(t.P.Settings.AtTimes[1].AmPm), 0);
        m.optMessy->click();
        QCOMPARE(int(t.P.Settings.Arrangement), 2);
        QCOMPARE(m.imgNote->pixmap().toImage(), m.imgNote3.toImage());
        m.cboSWitch->setCurrentIndex(0);
        QCOMPARE(int(t.P.Settings.TrayWhich), 0);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(m.chkRemNote, &in);
        QCOMPARE(m.lblPromptMsg->text(),
                 "This will display a Yes/No confirmation prompt before permanently deleting a note.");
    }
};

QTEST_MAIN(tst_ManagerOptions)
#include "tst_ManagerOptions.moc"
