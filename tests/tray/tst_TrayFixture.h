#pragma once
// The tray tests' program: one due note, a tray window ticked by hand on the fake clock, and what a
// showing leaves behind.
#include "core/NoteFile.h"
#include "core/SettingsFile.h"
#include "fakes/FakeServices.h"
#include "notes/frmNotes.h"
#include "tray/Schedule.h"
#include "tray/frmTray.h"
#include <QApplication>
#include <QDir>
#include <QTest>
#include <map>

Q_DECLARE_METATYPE(NextShowTime)

namespace TrayFixture {

inline QDateTime At(int h, int m, int s = 0, int day = 5) {
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

inline void CompareNext(const NextShowTime& actual, const NextShowTime& expected) {
    QCOMPARE(actual.NextHour, expected.NextHour);
    QCOMPARE(actual.NextMinute, expected.NextMinute);
    QCOMPARE(actual.NextDay, expected.NextDay);
}

} // namespace TrayFixture
