// The schedule: the next interval time with its carries, the 12-hour times of day, and the tray timer
// running it: every match firing once a minute, the interval moving on, the first minute after start, and
// waking from sleep past an interval time.
#include "tst_TrayFixture.h"
#include <QTimeZone>

using namespace TrayFixture;

Q_DECLARE_METATYPE(AtTime)

namespace {
QDateTime On(int day, int h, int m, int month = 12, int year = 2026) {
    return QDateTime(QDate(year, month, day), QTime(h, m));
}
} // namespace

class tst_Schedule : public QObject {
    Q_OBJECT
private slots:
    void nextShow_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("everyEnabled");
        QTest::addColumn<QTime>("every");
        QTest::addColumn<NextShowTime>("expected");
        QTest::newRow("22:45 on 31 Jan + 2h30") << On(31, 22, 45, 1) << 1 << QTime(2, 30) << NextShowTime{1, 15, 1};
        QTest::newRow("10:50 + 20 min") << On(5, 10, 50) << 1 << QTime(0, 20) << NextShowTime{11, 10, 5};
        QTest::newRow("23:50 + 10 min") << On(5, 23, 50) << 1 << QTime(0, 10) << NextShowTime{0, 0, 6};
        QTest::newRow("23:50 + 10 min on 31 Dec") << On(31, 23, 50) << 1 << QTime(0, 10) << NextShowTime{0, 0, 1};
        QTest::newRow("28 Feb, leap year") << On(28, 23, 30, 2, 2028) << 1 << QTime(0, 45) << NextShowTime{0, 15, 29};
        QTest::newRow("minute 59, no carry") << On(5, 10, 0) << 1 << QTime(0, 59) << NextShowTime{10, 59, 5};
        QTest::newRow("hour 23, no day carry") << On(5, 20, 30) << 1 << QTime(3, 0) << NextShowTime{23, 30, 5};
        QTest::newRow("interval off") << On(5, 10, 50) << 0 << QTime(0, 20) << NextShowTime{-1, -1, -1};
        QTest::newRow("only 1 means on") << On(5, 10, 50) << 2 << QTime(0, 20) << NextShowTime{-1, -1, -1};
    }
    void nextShow() {
        QFETCH(QDateTime, now);
        QFETCH(int, everyEnabled);
        QFETCH(QTime, every);
        QFETCH(NextShowTime, expected);
        SettingsRecord s;
        s.EveryEnabled = static_cast<uint8_t>(everyEnabled);
        s.EveryHours = static_cast<uint8_t>(every.hour());
        s.EveryMinutes = static_cast<uint8_t>(every.minute());
        CompareNext(mdlCommonFunc::NextShowAfter(s, now), expected);
    }

    void timeOfDay_data() {
        QTest::addColumn<AtTime>("time");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<bool>("due");
        QTest::newRow("12:00 AM is midnight") << AtTime{1, 12, 0, 0} << QTime(0, 0) << true;
        QTest::newRow("12:00 AM is not noon") << AtTime{1, 12, 0, 0} << QTime(12, 0) << false;
        QTest::newRow("12:00 PM is noon") << AtTime{1, 12, 0, 1} << QTime(12, 0) << true;
        QTest::newRow("12:00 PM is not midnight") << AtTime{1, 12, 0, 1} << QTime(0, 0) << false;
        QTest::newRow("1:15 PM is 13:15") << AtTime{1, 1, 15, 1} << QTime(13, 15, 40) << true;
        QTest::newRow("1:15 PM is not 1:15") << AtTime{1, 1, 15, 1} << QTime(1, 15) << false;
    }
    void timeOfDay() {
        QFETCH(AtTime, time);
        QFETCH(QTime, now);
        QFETCH(bool, due);
        QCOMPARE(Schedule::AtTimeDue(time, QDateTime(QDate(2026, 12, 5), now)), due);
        time.Enabled = 0;
        QVERIFY(!Schedule::AtTimeDue(time, QDateTime(QDate(2026, 12, 5), now)));
    }

    void everyMatchFiresOncePerMinute() {
        TrayTest t(At(9, 29, 30));
        t.SetTime(0, 9, 30, 0);
        t.SetTime(3, 9, 30, 0);
        t.SetTime(4, 9, 30, 0);
        t.P.Settings.AtTimes[4].Enabled = 0;
        t.EveryMinutes(0, 1); // next 9:30
        t.Load();
        t.Tick(At(9, 29, 30));
        QCOMPARE(t.Shows(), 0);
        for (const QDateTime& now : {At(9, 30, 0), At(9, 30, 30), At(9, 30, 59)}) t.Tick(now);
        QCOMPARE(t.Shows(), 3); // two times of day and the interval, all in the minute's first tick
        QCOMPARE(t.Alarms(), 3);
        CompareNext(t.P.NextShow, NextShowTime{9, 31, 5});
        t.Tick(At(9, 31));
        QCOMPARE(t.Shows(), 4); // the interval alone, moved on by its minute
        t.P.Settings.EveryEnabled = 0;
        t.Tick(At(9, 32));
        QCOMPARE(t.Shows(), 4); // off: its time comes, nothing fires
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
        QCOMPARE(t.Shows(), shows);
    }

    // Asleep from 10:50:30 with the interval due at 11:10: the first tick after waking decides.
    void wakeUp_data() {
        QTest::addColumn<QDateTime>("wake");
        QTest::addColumn<int>("showsAtWake");
        QTest::addColumn<NextShowTime>("next");
        QTest::newRow("slept past it: starts anew from waking") << At(12, 0, 5) << 0 << NextShowTime{12, 20, 5};
        QTest::newRow("slept an hour to the same minute") << At(11, 50, 40) << 0 << NextShowTime{12, 10, 5};
        QTest::newRow("slept over midnight") << At(7, 0, 0, 6) << 0 << NextShowTime{7, 20, 6};
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
        t.Tick(QDateTime(wake.date(), QTime(next.NextHour, next.NextMinute)));
        QCOMPARE(t.Shows(), showsAtWake + 1);
    }

    // The clock moved while the program ran, through the fake clock: the interval is due every 20 minutes
    // and was computed for 11:10 (or 02:05 and 03:10 on the change-over nights in Berlin).
    void clockChanges_data() {
        const QTimeZone berlin("Europe/Berlin");
        const auto Berlin = [&](int month, int day, int h, int m, int s) {
            return QDateTime(QDate(2026, month, day), QTime(h, m, s), berlin);
        };
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("before");
        QTest::addColumn<QDateTime>("after");
        QTest::addColumn<NextShowTime>("next");
        QTest::newRow("set back an hour: due 20 minutes on")
            << At(10, 50) << At(10, 50, 30) << At(9, 51) << NextShowTime{10, 11, 5};
        QTest::newRow("set back 40 seconds: at most a minute earlier")
            << At(10, 50) << At(10, 50, 30) << At(10, 49, 50) << NextShowTime{11, 9, 5};
        QTest::newRow("set back past midnight")
            << At(0, 5, 0, 6) << At(0, 10, 0, 6) << At(23, 30, 0, 5) << NextShowTime{23, 50, 5};
        // 29 March: 02:00 CET becomes 03:00 CEST, so 02:05 never comes; a second later it is past.
        QTest::newRow("spring forward skips it")
            << Berlin(3, 29, 1, 45, 0) << Berlin(3, 29, 1, 59, 59) << Berlin(3, 29, 3, 0, 0) << NextShowTime{3, 20, 29};
        // 25 October: 03:00 CEST becomes 02:00 CET; 03:10 would be 80 minutes away. (02:50 CEST is 00:50 UTC:
        // the wall time alone would name the second 02:50.)
        const auto Summer = [&](int m, int s) {
            return QDateTime(QDate(2026, 10, 25), QTime(0, m, s), Qt::UTC).toTimeZone(berlin);
        };
        QTest::newRow("fall back repeats an hour")
            << Summer(50, 0) << Summer(59, 59) << Summer(59, 59).addSecs(1) << NextShowTime{2, 20, 25};
    }
    void clockChanges() {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, before);
        QFETCH(QDateTime, after);
        QFETCH(NextShowTime, next);
        TrayTest t(start);
        t.EveryMinutes(0, 20);
        t.Load();
        t.Tick(before);
        t.Tick(after);
        QCOMPARE(t.Shows(), 0);
        CompareNext(t.P.NextShow, next);
        const QDateTime due(after.date(), QTime(next.NextHour, next.NextMinute), Qt::UTC);
        t.Tick(after.addSecs(Schedule::Wall(after).secsTo(due))); // no change-over between the two
        QCOMPARE(t.Shows(), 1);
    }
};

QTEST_MAIN(tst_Schedule)
#include "tst_Schedule.moc"
