// The schedule as the tray timer runs it: the times of day, every match firing, once a minute, the
// first minute after start, the interval moving on, and waking from sleep past an interval time.
#include "tst_TrayFixture.h"

using namespace TrayFixture;

class tst_TraySchedule : public QObject {
    Q_OBJECT
private slots:
    // The 12-hour arithmetic has its own rows in tst_Schedule; these show that a match fires.
    void timesOfDay_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("amPm");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("shows");
        QTest::newRow("12:00 AM at 0:00") << 12 << 0 << 0 << At(0, 0) << 1;
        QTest::newRow("12:00 PM at 12:00") << 12 << 0 << 1 << At(12, 0) << 1;
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
};

QTEST_MAIN(tst_TraySchedule)
#include "tst_TraySchedule.moc"
