// The tray window on the fake clock: the animation with and without the alarm, the 21-tick alarm, the
// pictures, loading and unloading, and the mouse on the icon.
#include "app/frmStealth.h"
#include "manager/frmManager.h"
#include "tray/TrayNotes.h"
#include "tst_TrayFixture.h"
#include <QImage>
#include <QStyleHints>

using namespace TrayFixture;

namespace {

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
        QTest::addColumn<bool>("atOnce");
        QTest::addColumn<bool>("popsUp");
        QTest::newRow("left, after the double-click time") << 1 << false << true;
        QTest::newRow("right, at once") << 2 << true << true;
        QTest::newRow("other") << 4 << false << false;
    }
    void mouseDownPopsUpTheTrayMenu() {
        QFETCH(int, button);
        QFETCH(bool, atOnce);
        QFETCH(bool, popsUp);
        TrayTest t;
        t.Load();
        QMenu& menu = t.P.Stealth().mnuTray;
        t.Icon().Press(button);
        QCOMPARE(menu.isVisible(), atOnce);
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QCOMPARE(menu.isVisible(), popsUp);
        menu.hide();
    }

    void doubleClickOpensTheManagerWithoutTheMenu() {
        TrayTest t;
        t.Load();
        t.Icon().Press(1); // the first click of the double click
        t.Icon().DoubleClick();
        QVERIFY(t.P.ManagerOpen);
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QVERIFY(!t.P.Stealth().mnuTray.isVisible());
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