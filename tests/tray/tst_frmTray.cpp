// The tray window on the fake clock: the animation with and without the alarm, the 21-tick alarm, the
// once-a-minute schedule, waking from sleep, loading, and the mouse on the icon.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "tray/Schedule.h"
#include "tray/TrayIcons.h"
#include "tray/TrayNotes.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

Q_DECLARE_METATYPE(NextShowTime)

namespace {

QDateTime At(int h, int m, int s = 0, int day = 5) {
    return QDateTime(QDate(2026, 12, day), QTime(h, m, s));
}

// A program with one due note, whose tray shows nothing at load and has no schedule until a test switches
// one on. Every showing appends the note to ShownNotes once.
struct TrayTest {
    TestProgram T;
    Program& P = *T.P;
    frmTray* W = nullptr;

    explicit TrayTest(QDateTime start = At(9, 10)) {
        P.Settings = mdlCommonFunc::DefaultSettings(T.ProgramFolder());
        QDir().mkpath(P.Settings.NotesFolder);
        P.Settings.ShowOnTrayStart = 0;
        P.Settings.PlayAlarm = 1;
        P.Settings.EveryEnabled = 0;
        T.Clock.Current = start;
        NoteRecord note;
        note.Text = QStringLiteral("Due");
        note.Enabled = 1;
        note.ShowFrom = 20200101;
        note.ShowUntil = 20301231;
        note.FontName = QStringLiteral("DejaVu Sans");
        note.FontSize = 10;
        if (!NoteFile::WriteNote(P.Settings.NotesFolder + QStringLiteral("due.nte"), note)) qFatal("no note written");
    }
    ~TrayTest() {
        // Note windows go before the program they point at.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmNotes*>(w)) delete w;
    }
    TrayTest(const TrayTest&) = delete;
    TrayTest& operator=(const TrayTest&) = delete;
    frmTray& Load() {
        P.TrayWindow = W = new frmTray(P);
        W->Form_Load();
        W->tmrTray.stop(); // the test ticks by hand
        return *W;
    }
    FakeSysTray& Icon() { return *T.TrayFactory.Last; }
    void Tick(const QDateTime& now) {
        T.Clock.Current = now;
        W->tmrTray_Timer();
    }
    void Tick() { W->tmrTray_Timer(); }
    int Shows() const { return P.ShownCount(); }
    int Alarms() const { return static_cast<int>(T.Sound.Played.count(P.Settings.AlarmSound)); }
    void SetTime(int index, int hour, int minute, int amPm) {
        P.Settings.AtTimes[static_cast<size_t>(index)] =
            AtTime{1, static_cast<uint8_t>(hour), static_cast<uint8_t>(minute), static_cast<uint8_t>(amPm)};
    }
    void EveryMinutes(int hours, int minutes) {
        P.Settings.EveryEnabled = 1;
        P.Settings.EveryHours = static_cast<uint8_t>(hours);
        P.Settings.EveryMinutes = static_cast<uint8_t>(minutes);
        mdlCommonFunc::ComputeNextShow(P);
    }
    const QIcon& Named(const QString& name) const {
        const std::map<QString, const QIcon*> icons = {{"img1", &W->img1}, {"img2", &W->img2},      {"img3", &W->img3},
                                                       {"img4", &W->img4}, {"img5", &W->img5},      {"img6", &W->img6},
                                                       {"img7", &W->img7}, {"clock", &W->imgClock2}};
        return *icons.at(name);
    }
    bool Shows(const QString& name) { return Icon().Icon.cacheKey() == Named(name).cacheKey(); }
};

void CompareNext(const NextShowTime& actual, const NextShowTime& expected) {
    QCOMPARE(actual.NextHour, expected.NextHour);
    QCOMPARE(actual.NextMinute, expected.NextMinute);
    QCOMPARE(actual.NextDay, expected.NextDay);
}

int CountPixels(const QIcon& icon, auto pick) {
    const QImage image = icon.pixmap(QSize(32, 32), 1.0).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += pick(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}
bool Ink(const QColor& c) {
    return c.alpha() > 200 && c.blue() > 120 && c.red() < 100;
}

} // namespace

class tst_frmTray : public QObject {
    Q_OBJECT
private slots:
    void loadsIntoTheTray() {
        TrayTest t;
        t.Load();
        QVERIFY(t.P.TrayActive);
        QCOMPARE(t.Icon().Tip, QStringLiteral("PVL 3: TrayNotes"));
        QVERIFY(t.Shows("img1"));
        QCOMPARE(t.W->tmrTray.interval(), 250);
    }

    void animation_data() {
        QTest::addColumn<int>("animate");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QStringList>("pictures"); // ticks 1 to 7, then tick 8 starts over
        QTest::newRow("animated") << 1 << false
                                  << QStringList{"img7", "img6", "img5", "img4", "img3", "img2", "img1", "img7"};
        QTest::newRow("animated, alarm") << 1 << true << QStringList{"img1",  "img1", "clock", "clock",
                                                                     "clock", "img1", "img1",  "img1"};
        QTest::newRow("still") << 0 << false
                               << QStringList{"img1", "img1", "img1", "img1", "img1", "img1", "img1", "img1"};
        QTest::newRow("still, alarm") << 0 << true << QStringList{"clock", "clock", "clock", "clock",
                                                                  "clock", "clock", "clock", "clock"};
        QTest::newRow("any value but 1 is still")
            << 2 << false << QStringList{"img1", "img1", "img1", "img1", "img1", "img1", "img1", "img1"};
    }
    void animation() {
        QFETCH(int, animate);
        QFETCH(bool, alarm);
        QFETCH(QStringList, pictures);
        TrayTest t;
        t.P.Settings.AnimateIcon = static_cast<uint8_t>(animate);
        t.Load();
        t.P.AlarmShowing = alarm;
        for (int tick = 0; tick < pictures.size(); ++tick) {
            t.Tick();
            QVERIFY2(t.Shows(pictures[tick]), qPrintable(QStringLiteral("tick %1").arg(tick + 1)));
            QCOMPARE(t.P.IconFrame, tick == 6 ? 0 : (tick + 1) % 7);
        }
    }

    void idleStillIconIsOnePicture() {
        // The real tray control skips a picture with the same cache key: nothing is redrawn while idle.
        TrayTest t;
        t.P.Settings.AnimateIcon = 0;
        t.Load();
        const qint64 key = t.W->img1.cacheKey();
        for (int tick = 0; tick < 100; ++tick) {
            t.Tick();
            QCOMPARE(t.Icon().Icon.cacheKey(), key);
        }
    }

    void alarmLasts21Ticks_data() {
        QTest::addColumn<int>("animate");
        QTest::addColumn<int>("clockTicks"); // ticks that show the clock during the alarm
        QTest::newRow("animated") << 1 << 9;
        QTest::newRow("still") << 0 << 21;
    }
    void alarmLasts21Ticks() {
        QFETCH(int, animate);
        QFETCH(int, clockTicks);
        TrayTest t;
        t.P.Settings.AnimateIcon = static_cast<uint8_t>(animate);
        t.Load();
        TrayNotes::AlarmAndShow(t.P);
        int clocks = 0;
        for (int tick = 1; tick <= 21; ++tick) {
            QVERIFY(t.P.AlarmShowing);
            t.Tick();
            clocks += t.Shows("clock") ? 1 : 0;
        }
        QCOMPARE(clocks, clockTicks);
        QVERIFY(!t.P.AlarmShowing);
        QCOMPARE(t.P.AlarmTicks, int16_t(0));
        for (int tick = 0; tick < 14; ++tick) {
            t.Tick();
            QVERIFY(!t.Shows("clock"));
        }
    }

    void secondAlarmDoesNotRestartTheCount() {
        TrayTest t;
        t.Load();
        TrayNotes::AlarmAndShow(t.P);
        for (int tick = 0; tick < 10; ++tick) t.Tick();
        TrayNotes::AlarmAndShow(t.P);
        for (int tick = 0; tick < 10; ++tick) t.Tick();
        QVERIFY(t.P.AlarmShowing);
        t.Tick();
        QVERIFY(!t.P.AlarmShowing);
    }

    void alarmSound_data() {
        QTest::addColumn<int>("playAlarm");
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("on") << 1 << true;
        QTest::newRow("on, file missing") << 1 << false;
        QTest::newRow("off") << 0 << true;
    }
    void alarmSound() {
        QFETCH(int, playAlarm);
        QFETCH(bool, fileExists);
        TrayTest t;
        t.P.Settings.PlayAlarm = static_cast<uint8_t>(playAlarm);
        QFile file(t.P.Settings.AlarmSound);
        if (fileExists) QVERIFY(file.open(QIODevice::WriteOnly) && file.write("RIFF") == 4);
        file.close();
        t.Load();
        TrayNotes::AlarmAndShow(t.P);
        QCOMPARE(t.T.Sound.Played, playAlarm == 1 ? QStringList{t.P.Settings.AlarmSound} : QStringList{});
        QCOMPARE(t.Shows(), 1); // the show goes on with or without a sound
        QVERIFY(t.P.AlarmShowing);
    }

    void formLoad_data() {
        QTest::addColumn<int>("showOnStart");
        QTest::addColumn<int>("playAlarm");
        QTest::addColumn<int>("sounds");
        QTest::newRow("show with alarm") << 1 << 1 << 1;
        QTest::newRow("show without alarm") << 1 << 0 << 0;
        QTest::newRow("no show") << 0 << 1 << 0;
    }
    void formLoad() {
        QFETCH(int, showOnStart);
        QFETCH(int, playAlarm);
        QFETCH(int, sounds);
        TrayTest t;
        t.P.Settings.ShowOnTrayStart = static_cast<uint8_t>(showOnStart);
        t.P.Settings.PlayAlarm = static_cast<uint8_t>(playAlarm);
        t.Load();
        QVERIFY(t.P.TrayActive);
        QCOMPARE(t.T.Sound.Played.size(), sounds);
        QCOMPARE(t.Shows(), showOnStart == 1 ? 1 : 0);
        QCOMPARE(t.P.AlarmShowing, showOnStart == 1);
    }

    void timesOfDay_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("amPm");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("shows");
        QTest::newRow("12:00 AM at 0:00") << 12 << 0 << 0 << At(0, 0) << 1;
        QTest::newRow("12:00 AM not at 12:00") << 12 << 0 << 0 << At(12, 0) << 0;
        QTest::newRow("12:00 PM at 12:00") << 12 << 0 << 1 << At(12, 0) << 1;
        QTest::newRow("12:00 PM not at 0:00") << 12 << 0 << 1 << At(0, 0) << 0;
        QTest::newRow("1:15 PM at 13:15") << 1 << 15 << 1 << At(13, 15) << 1;
        QTest::newRow("1:15 PM not at 1:15") << 1 << 15 << 1 << At(1, 15) << 0;
    }
    void timesOfDay() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, amPm);
        QFETCH(QDateTime, now);
        QFETCH(int, shows);
        TrayTest t(now.addSecs(-60));
        t.SetTime(2, hour, minute, amPm);
        t.Load();
        t.Tick(now.addSecs(-60));
        QCOMPARE(t.Shows(), 0);
        t.Tick(now);
        QCOMPARE(t.Shows(), shows);
        QCOMPARE(t.Alarms(), shows);
        QCOMPARE(t.P.AlarmShowing, shows > 0);
    }

    void everyMatchFires() {
        TrayTest t(At(9, 29, 30));
        t.SetTime(0, 9, 30, 0);
        t.SetTime(3, 9, 30, 0);
        t.SetTime(4, 9, 30, 0);
        t.P.Settings.AtTimes[4].Enabled = 0;
        t.EveryMinutes(0, 1); // next 9:30
        t.Load();
        t.Tick(At(9, 29, 30));
        QCOMPARE(t.Shows(), 0);
        t.Tick(At(9, 30, 0));
        QCOMPARE(t.Shows(), 3); // two times of day and the interval, in the same tick
        QCOMPARE(t.Alarms(), 3);
        CompareNext(t.P.NextShow, NextShowTime{9, 31, 5});
    }

    void scheduleRunsOnFirstTickOfMinuteOnly() {
        TrayTest t(At(9, 29, 59));
        t.SetTime(0, 9, 30, 0);
        t.Load();
        t.Tick(At(9, 29, 59));
        for (const QDateTime& now : {At(9, 30, 0), At(9, 30, 0).addMSecs(250), At(9, 30, 30), At(9, 30, 59)})
            t.Tick(now);
        QCOMPARE(t.Shows(), 1);
        t.Tick(At(9, 31));
        QCOMPARE(t.Shows(), 1);
        QCOMPARE(t.P.LastMinute, int16_t(31));
    }

    void firstTick_data() {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("shows");
        QTest::newRow("started in minute 0 misses it") << At(10, 0, 10) << 0;
        QTest::newRow("started in minute 5 fires at once") << At(10, 5, 10) << 1;
    }
    void firstTick() {
        QFETCH(QDateTime, start);
        QFETCH(int, shows);
        TrayTest t(start);
        t.SetTime(1, 10, start.time().minute(), 0);
        t.Load();
        t.Tick(start);
        t.Tick(start.addSecs(30));
        t.Tick(start.addSecs(50));
        QCOMPARE(t.Shows(), shows);
    }

    void intervalFiresAndMovesOn() {
        TrayTest t(At(10, 50));
        t.EveryMinutes(0, 20);
        CompareNext(t.P.NextShow, NextShowTime{11, 10, 5});
        t.Load();
        t.Tick(At(10, 50, 1));
        t.Tick(At(11, 9, 59));
        QCOMPARE(t.Shows(), 0);
        t.Tick(At(11, 10, 0));
        QCOMPARE(t.Shows(), 1);
        CompareNext(t.P.NextShow, NextShowTime{11, 30, 5});
        t.Tick(At(11, 30, 0));
        QCOMPARE(t.Shows(), 2);
    }

    void intervalOffNeverFires() {
        TrayTest t(At(10, 50));
        t.EveryMinutes(0, 20);
        t.P.Settings.EveryEnabled = 0;
        t.Load();
        for (int minute = 51; minute < 60 + 15; ++minute) t.Tick(At(10 + minute / 60, minute % 60));
        QCOMPARE(t.Shows(), 0);
    }

    // Asleep from 10:50:30 with the interval due at 11:10: the first tick after waking decides.
    void wakeUp_data() {
        QTest::addColumn<QDateTime>("wake");
        QTest::addColumn<int>("showsAtWake");
        QTest::addColumn<NextShowTime>("next");
        QTest::newRow("slept past it: starts anew from waking") << At(12, 0, 5) << 0 << NextShowTime{12, 20, 5};
        QTest::newRow("slept a day, same hour") << At(11, 10, 20, 6) << 0 << NextShowTime{11, 30, 6};
        QTest::newRow("woke in its minute: fires") << At(11, 10, 20) << 1 << NextShowTime{11, 30, 5};
        QTest::newRow("woke before it: unchanged") << At(11, 5) << 0 << NextShowTime{11, 10, 5};
    }
    void wakeUp() {
        QFETCH(QDateTime, wake);
        QFETCH(int, showsAtWake);
        QFETCH(NextShowTime, next);
        TrayTest t(At(10, 50));
        t.EveryMinutes(0, 20);
        t.Load();
        t.Tick(At(10, 50, 30));
        t.Tick(wake);
        QCOMPARE(t.Shows(), showsAtWake);
        CompareNext(t.P.NextShow, next);
        // From here the schedule runs as ever: it fires at its next time.
        t.Tick(QDateTime(wake.date(), QTime(next.NextHour, next.NextMinute)));
        QCOMPARE(t.Shows(), showsAtWake + 1);
    }

    void wakeUpInTheSameMinuteOfTheHour() {
        // Asleep exactly an hour: the minute of the hour equals the last one seen, but it is a new minute.
        TrayTest t(At(10, 50));
        t.SetTime(0, 11, 50, 0);
        t.Load();
        t.Tick(At(10, 50, 30));
        t.Tick(At(11, 50, 40));
        QCOMPARE(t.Shows(), 1);
    }

    void pictures() {
        TrayTest t;
        t.Load();
        // img7 blank, each frame a little fuller, img1 full.
        const QIcon* pages[] = {&t.W->img7, &t.W->img6, &t.W->img5, &t.W->img4, &t.W->img3, &t.W->img2, &t.W->img1};
        int lastInk = -1;
        for (const QIcon* page : pages) {
            const int ink = CountPixels(*page, Ink);
            QVERIFY2(ink > lastInk, qPrintable(QStringLiteral("ink %1 after %2").arg(ink).arg(lastInk)));
            lastInk = ink;
        }
        QCOMPARE(CountPixels(t.W->img7, Ink), 0);
        for (const QIcon* icon : {&t.W->img1, &t.W->img7, &t.W->imgClock2}) {
            // A dark outline and a light face: readable on light and on dark panels.
            QVERIFY(CountPixels(*icon, [](const QColor& c) { return c.alpha() > 200 && c.lightness() < 70; }) > 20);
            QVERIFY(CountPixels(*icon, [](const QColor& c) { return c.alpha() > 200 && c.lightness() > 180; }) > 100);
            QVERIFY(icon->availableSizes().contains(QSize(32, 32)));
            QVERIFY(icon->availableSizes().contains(QSize(64, 64)));
        }
    }

    void mouseDownPopsUpTheTrayMenu_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("popsUp");
        QTest::newRow("left") << 1 << true;
        QTest::newRow("right") << 2 << true;
        QTest::newRow("other") << 4 << false;
    }
    void mouseDownPopsUpTheTrayMenu() {
        QFETCH(int, button);
        QFETCH(bool, popsUp);
        TrayTest t;
        t.Load();
        t.Icon().Press(button);
        QCOMPARE(t.P.Stealth().mnuTray.isVisible(), popsUp);
        t.P.Stealth().mnuTray.hide();
    }

    void doubleClickOpensOneManager() {
        TrayTest t;
        t.Load();
        t.Icon().DoubleClick();
        QVERIFY(t.P.ManagerOpen);
        QPointer<frmManager> first = t.P.ManagerWindow;
        QVERIFY(first && first->isVisible());
        first->showMinimized();
        t.Icon().DoubleClick();
        QCOMPARE(t.P.ManagerWindow, first);
        QVERIFY(first->isVisible() && !first->isMinimized());
    }

    void unloadClearsTrayActiveOnce() {
        TrayTest t;
        t.Load();
        t.Icon().DoubleClick(); // the manager keeps the program alive
        QPointer<frmTray> old = t.W;
        old->close();
        QVERIFY(!t.P.TrayActive);
        QCOMPARE(t.T.ProcessEnd.Calls, 0);
        // A tray loaded again before the old window is deleted stays active when the old one goes.
        t.Load();
        QTRY_VERIFY(old.isNull());
        QVERIFY(t.P.TrayActive);
    }
};

QTEST_MAIN(tst_frmTray)
#include "tst_frmTray.moc"
