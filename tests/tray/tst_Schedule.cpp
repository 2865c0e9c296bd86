// The schedule's arithmetic: the next interval time with its carries, the 12-hour times of day, and the
// interval time missed while the machine slept.
#include "core/mdlGlobal.h"
#include "tray/Schedule.h"
#include <QTest>

Q_DECLARE_METATYPE(NextShowTime)

namespace {
QDateTime At(int y, int mo, int d, int h, int mi, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
NextShowTime Next(int h, int m, int d) {
    return NextShowTime{static_cast<int16_t>(h), static_cast<int16_t>(m), static_cast<int16_t>(d)};
}
} // namespace

class tst_Schedule : public QObject {
    Q_OBJECT
private slots:
    void nextShow_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("everyEnabled");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<NextShowTime>("expected");
        QTest::newRow("22:45 last of January + 2h30") << At(2026, 1, 31, 22, 45) << 1 << 2 << 30 << Next(1, 15, 1);
        QTest::newRow("10:50 + 0h20 same day") << At(2026, 12, 5, 10, 50) << 1 << 0 << 20 << Next(11, 10, 5);
        QTest::newRow("23:50 + 10 min next day") << At(2026, 12, 5, 23, 50) << 1 << 0 << 10 << Next(0, 0, 6);
        QTest::newRow("23:50 + 10 min on 31 Dec") << At(2026, 12, 31, 23, 50) << 1 << 0 << 10 << Next(0, 0, 1);
        QTest::newRow("30 April has no 31st") << At(2026, 4, 30, 23, 0) << 1 << 1 << 0 << Next(0, 0, 1);
        QTest::newRow("28 Feb of a common year") << At(2026, 2, 28, 23, 30) << 1 << 0 << 45 << Next(0, 15, 1);
        QTest::newRow("28 Feb of a leap year") << At(2028, 2, 28, 23, 30) << 1 << 0 << 45 << Next(0, 15, 29);
        QTest::newRow("2100 counts as leap") << At(2100, 2, 28, 23, 30) << 1 << 0 << 45 << Next(0, 15, 29);
        QTest::newRow("minute 59 exactly, no carry") << At(2026, 12, 5, 10, 0) << 1 << 0 << 59 << Next(10, 59, 5);
        QTest::newRow("minute 60 carries") << At(2026, 12, 5, 10, 1) << 1 << 0 << 59 << Next(11, 0, 5);
        QTest::newRow("hour 23 exactly, no day carry") << At(2026, 12, 5, 20, 30) << 1 << 3 << 0 << Next(23, 30, 5);
        QTest::newRow("minute carry makes hour 24") << At(2026, 12, 5, 22, 40) << 1 << 1 << 20 << Next(0, 0, 6);
        QTest::newRow("longest interval") << At(2026, 12, 5, 23, 0) << 1 << 23 << 59 << Next(22, 59, 6);
        QTest::newRow("interval off") << At(2026, 12, 5, 10, 50) << 0 << 0 << 20 << Next(-1, -1, -1);
        QTest::newRow("only 1 means on") << At(2026, 12, 5, 10, 50) << 2 << 0 << 20 << Next(-1, -1, -1);
    }
    void nextShow() {
        QFETCH(QDateTime, now);
        QFETCH(int, everyEnabled);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(NextShowTime, expected);
        SettingsRecord s;
        s.EveryEnabled = static_cast<uint8_t>(everyEnabled);
        s.EveryHours = static_cast<uint8_t>(hours);
        s.EveryMinutes = static_cast<uint8_t>(minutes);
        const NextShowTime next = mdlCommonFunc::NextShowAfter(s, now);
        QCOMPARE(next.NextHour, expected.NextHour);
        QCOMPARE(next.NextMinute, expected.NextMinute);
        QCOMPARE(next.NextDay, expected.NextDay);
    }

    void timeOfDay_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("amPm");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<bool>("due");
        QTest::newRow("12:00 AM is midnight") << 12 << 0 << 0 << QTime(0, 0) << true;
        QTest::newRow("12:00 AM is not noon") << 12 << 0 << 0 << QTime(12, 0) << false;
        QTest::newRow("12:00 PM is noon") << 12 << 0 << 1 << QTime(12, 0) << true;
        QTest::newRow("12:00 PM is not midnight") << 12 << 0 << 1 << QTime(0, 0) << false;
        QTest::newRow("1:15 PM is 13:15") << 1 << 15 << 1 << QTime(13, 15, 40) << true;
        QTest::newRow("1:15 PM is not 1:15") << 1 << 15 << 1 << QTime(1, 15) << false;
        QTest::newRow("1:15 AM is 1:15") << 1 << 15 << 0 << QTime(1, 15) << true;
        QTest::newRow("11:59 PM") << 11 << 59 << 1 << QTime(23, 59) << true;
        QTest::newRow("another minute") << 1 << 15 << 1 << QTime(13, 16) << false;
    }
    void timeOfDay() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, amPm);
        QFETCH(QTime, now);
        QFETCH(bool, due);
        AtTime t{1, static_cast<uint8_t>(hour), static_cast<uint8_t>(minute), static_cast<uint8_t>(amPm)};
        QCOMPARE(Schedule::AtTimeDue(t, QDateTime(QDate(2026, 12, 5), now)), due);
        t.Enabled = 0;
        QVERIFY(!Schedule::AtTimeDue(t, QDateTime(QDate(2026, 12, 5), now)));
    }

    void intervalDue_data() {
        QTest::addColumn<NextShowTime>("next");
        QTest::addColumn<int>("everyEnabled");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("due");
        QTest::newRow("same minute") << Next(11, 10, 5) << 1 << At(2026, 12, 5, 11, 10, 59) << true;
        QTest::newRow("interval off") << Next(11, 10, 5) << 0 << At(2026, 12, 5, 11, 10) << false;
        QTest::newRow("other day of month") << Next(11, 10, 5) << 1 << At(2026, 12, 6, 11, 10) << false;
        QTest::newRow("same day next month") << Next(11, 10, 5) << 1 << At(2027, 1, 5, 11, 10) << true;
        QTest::newRow("a minute late") << Next(11, 10, 5) << 1 << At(2026, 12, 5, 11, 11) << false;
        QTest::newRow("never when cleared") << Next(-1, -1, -1) << 1 << At(2026, 12, 5, 11, 10) << false;
    }
    void intervalDue() {
        QFETCH(NextShowTime, next);
        QFETCH(int, everyEnabled);
        QFETCH(QDateTime, now);
        QFETCH(bool, due);
        SettingsRecord s;
        s.EveryEnabled = static_cast<uint8_t>(everyEnabled);
        QCOMPARE(Schedule::IntervalDue(s, next, now), due);
    }

    void intervalMissed_data() {
        QTest::addColumn<NextShowTime>("next");
        QTest::addColumn<QDateTime>("lastSeen");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("missed");
        const QDateTime slept = At(2026, 12, 5, 10, 50, 30);
        QTest::newRow("slept past it") << Next(11, 10, 5) << slept << At(2026, 12, 5, 12, 0, 5) << true;
        QTest::newRow("woke one minute after") << Next(11, 10, 5) << slept << At(2026, 12, 5, 11, 11) << true;
        QTest::newRow("woke in its minute") << Next(11, 10, 5) << slept << At(2026, 12, 5, 11, 10, 40) << false;
        QTest::newRow("woke before it") << Next(11, 10, 5) << slept << At(2026, 12, 5, 11, 5) << false;
        QTest::newRow("over midnight") << Next(0, 20, 6) << At(2026, 12, 5, 23, 0) << At(2026, 12, 6, 7, 0) << true;
        QTest::newRow("next day, not yet") << Next(8, 0, 6) << At(2026, 12, 5, 23, 0) << At(2026, 12, 6, 7, 0) << false;
        QTest::newRow("day 1 over month end")
            << Next(0, 5, 1) << At(2026, 12, 31, 23, 0) << At(2027, 1, 1, 9, 0) << true;
        QTest::newRow("a week asleep") << Next(1, 0, 8) << At(2026, 12, 5, 22, 0) << At(2026, 12, 12, 9, 0) << true;
        QTest::newRow("three months asleep")
            << Next(1, 0, 31) << At(2026, 9, 1, 22, 0) << At(2026, 12, 2, 9, 0) << true;
        QTest::newRow("interval off") << Next(-1, -1, -1) << slept << At(2026, 12, 6, 12, 0) << false;
        QTest::newRow("clock set back") << Next(11, 10, 5) << slept << At(2026, 12, 5, 9, 0) << false;
    }
    void intervalMissed() {
        QFETCH(NextShowTime, next);
        QFETCH(QDateTime, lastSeen);
        QFETCH(QDateTime, now);
        QFETCH(bool, missed);
        QCOMPARE(Schedule::IntervalMissed(next, lastSeen, now), missed);
    }
};

QTEST_GUILESS_MAIN(tst_Schedule)
#include "tst_Schedule.moc"
