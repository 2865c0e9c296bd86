// The tray window on the fake clock: the animation with and without the alarm, the 21-tick alarm, the
// alarm at load, the pictures, unloading, and the mouse on the icon (a StatusNotifierItem host's too).
#include "app/frmStealth.h"
#include "manager/frmManager.h"
#include "platform/QtSysTray.h"
#include "tray/TrayNotes.h"
#include "tst_TrayFixture.h"
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleHints>

using namespace TrayFixture;

namespace {
int Ink(const QIcon& icon) {
    const QImage image = icon.pixmap(QSize(32, 32), 1.0).toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.alpha() > 200 && c.blue() > 120 && c.red() < 100 ? 1 : 0;
        }
    return count;
}
} // namespace

class tst_frmTray : public QObject {
    Q_OBJECT
private slots:
    void animation_data() {
        QTest::addColumn<int>("animate");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QStringList>("pictures"); // ticks 1 to 7, then tick 8 starts over
        QTest::newRow("animated") << 1 << false
                                  << QStringList{"img7", "img6", "img5", "img4", "img3", "img2", "img1", "img7"};
        QTest::newRow("animated, alarm") << 1 << true << QStringList{"img1",  "img1", "clock", "clock",
                                                                     "clock", "img1", "img1",  "img1"};
        QTest::newRow("still") << 0 << false << QStringList(8, "img1");
        QTest::newRow("still, alarm") << 0 << true << QStringList(8, "clock");
        QTest::newRow("any value but 1 is still") << 2 << false << QStringList(8, "img1");
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

    void alarmLasts21Ticks() {
        TrayTest t;
        t.P.Settings.AnimateIcon = 0; // the clock for every tick of the alarm
        t.Load();
        t.W->tmrTray.start(250);
        TrayNotes::AlarmAndShow(t.P);
        int clocks = 0;
        for (int tick = 1; tick <= 28; ++tick) {
            if (tick == 10) TrayNotes::AlarmAndShow(t.P); // a second alarm does not restart the count
            t.Tick();
            clocks += t.Shows("clock") ? 1 : 0;
            QCOMPARE(t.P.AlarmShowing, tick < 21);
            // The tick after the last clock puts the still picture back; then the tray rests.
            QCOMPARE(t.W->tmrTray.isActive() && t.W->tmrTray.interval() == 250, tick <= 21);
        }
        QCOMPARE(clocks, 21);
    }

    // A tray loaded again after its interval time passed while it was off starts the interval anew.
    void reloadedTrayRestartsAStaleInterval() {
        TrayTest t(At(10, 50));
        t.P.Settings.EveryEnabled = 1;
        t.P.Settings.EveryHours = 0;
        t.P.Settings.EveryMinutes = 20;
        mdlCommonFunc::ComputeNextShow(t.P); // 11:10
        t.T.Clock.Current = At(12, 0, 5);
        t.Load();
        QCOMPARE((QList<int>{t.P.NextShow.NextHour, t.P.NextShow.NextMinute}), (QList<int>{12, 20}));
    }

    // The schedule runs once a minute: a clock set back inside a minute that showed the notes shows them
    // no second time.
    void clockBackInsideAShowingMinute() {
        TrayTest t;
        t.SetTime(0, 9, 11, 0);
        t.Load();
        t.Tick(At(9, 11, 5));
        t.Tick(At(9, 11, 3));
        QCOMPARE(t.Shows(), 1);
    }

    // With the icon still and no alarm the tray sleeps until just past the next minute, on a precise timer
    // (a coarse one may miss the minute). The animation or the alarm ticks four times a second:
    // stillTrayRidesOnTheSecondTick's rows, through the same rule.
    void tickSpacing_data() {
        QTest::addColumn<QTime>("at");
        QTest::addColumn<int>("nextMs");
        QTest::newRow("mid-minute") << QTime(9, 10, 30, 500) << 29'520;
        QTest::newRow("on the minute") << QTime(9, 11) << 60'020;
    }
    void tickSpacing() {
        QFETCH(QTime, at);
        QFETCH(int, nextMs);
        TrayTest t;
        t.P.Settings.AnimateIcon = 0;
        t.Load();
        t.W->tmrTray.start(250);
        t.Tick(QDateTime(QDate(2026, 12, 5), at));
        QCOMPARE(t.W->tmrTray.interval(), nextMs);
        QCOMPARE(t.W->tmrTray.timerType(), Qt::PreciseTimer);
        t.W->AnimationChanged(); // the manager's box: the next tick comes at once
        QCOMPARE(t.W->tmrTray.interval(), 250);
        t.W->tmrTray.stop();
        t.W->AnimationChanged();
        QVERIFY(!t.W->tmrTray.isActive()); // an unloading tray stays stopped
    }

    // A still tray arms no timer of its own: the host window's once-a-second tick brings the tray's tick
    // when one is due. Times of day are set for 9:11 and 9:12.
    void stillTrayRidesOnTheSecondTick_data() {
        QTest::addColumn<QDateTime>("now"); // at the host's tick
        QTest::addColumn<int>("animate");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<bool>("ticks");
        QTest::addColumn<int>("shows");
        QTest::newRow("same minute: nothing") << At(9, 10, 59) << 0 << false << false << 0;
        QTest::newRow("next minute: the schedule") << At(9, 11, 0) << 0 << false << true << 1;
        QTest::newRow("clock set back in the minute") << At(9, 10, 5) << 0 << false << true << 0;
        QTest::newRow("asleep to the same minute") << At(10, 10, 40) << 0 << false << true << 0;
        QTest::newRow("animation on") << At(9, 10, 40) << 1 << false << true << 0;
        QTest::newRow("alarm") << At(9, 10, 40) << 0 << true << true << 1;
    }
    void stillTrayRidesOnTheSecondTick() {
        QFETCH(QDateTime, now);
        QFETCH(int, animate);
        QFETCH(bool, alarm);
        QFETCH(bool, ticks);
        QFETCH(int, shows);
        TrayTest t;
        t.SetTime(0, 9, 11, 0);
        t.SetTime(1, 9, 12, 0);
        t.P.Settings.AnimateIcon = 0;
        t.Load();
        frmStealth& host = t.P.Stealth();
        t.W->tmrTray.start(250);
        t.Tick(At(9, 10, 30));
        QVERIFY(!t.W->tmrTray.isActive());
        const int frame = t.P.IconFrame;
        t.P.Settings.AnimateIcon = static_cast<uint8_t>(animate);
        if (alarm) TrayNotes::AlarmAndShow(t.P);
        t.T.Clock.Current = now;
        host.tmrMaster_Timer();
        QCOMPARE(t.P.IconFrame != frame, ticks);
        QCOMPARE(t.Shows(), shows);
        const bool quick = animate == 1 || shows > 0; // the animation or the alarm: four ticks a second
        QCOMPARE(t.W->tmrTray.isActive(), quick);
        if (quick) QCOMPARE(t.W->tmrTray.interval(), 250);
        t.W->close();
        t.T.Clock.Current = At(9, 12);
        host.tmrMaster_Timer(); // an unloaded tray ticks no more
        QCOMPARE(t.Shows(), shows);
    }

    // No alarm file exists in the fresh program folder: the notes are shown all the same.
    void alarmAtLoad_data() {
        QTest::addColumn<int>("showOnStart");
        QTest::addColumn<int>("playAlarm");
        QTest::newRow("sound on, file missing") << 1 << 1;
        QTest::newRow("sound off") << 1 << 0;
        QTest::newRow("no show at load") << 0 << 1;
    }
    void alarmAtLoad() {
        QFETCH(int, showOnStart);
        QFETCH(int, playAlarm);
        TrayTest t;
        t.P.Settings.ShowOnTrayStart = static_cast<uint8_t>(showOnStart);
        t.P.Settings.PlayAlarm = static_cast<uint8_t>(playAlarm);
        QVERIFY(!QFile::exists(t.P.Settings.AlarmSound));
        t.Load();
        const bool shows = showOnStart == 1;
        QCOMPARE(t.T.Sound.Played, shows && playAlarm == 1 ? QStringList{t.P.Settings.AlarmSound} : QStringList{});
        QCOMPARE(t.Shows(), shows ? 1 : 0);
        QCOMPARE(t.P.AlarmShowing, shows); // with or without a sound
    }

    void picturesFillFromBlankToFull() {
        TrayTest t;
        t.Load();
        QCOMPARE(Ink(t.W->img7), 0);
        int lastInk = 0;
        for (const QIcon* page : {&t.W->img6, &t.W->img5, &t.W->img4, &t.W->img3, &t.W->img2, &t.W->img1}) {
            const int ink = Ink(*page);
            QVERIFY(ink > lastInk);
            lastInk = ink;
        }
    }

    // Drawn at the size asked for: a 2x request is 64 device pixels, not a stretched 32; a wide request
    // gets a square; and the tray's way of showing it (paint) gives the very pixels of pixmap().
    void pictureSizes_data() {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("32 at 1x") << QSize(32, 32) << 1.0 << QSize(32, 32);
        QTest::newRow("32 at 2x") << QSize(32, 32) << 2.0 << QSize(64, 64);
        QTest::newRow("22 at 1.5x") << QSize(22, 22) << 1.5 << QSize(33, 33);
        QTest::newRow("wide: a square") << QSize(48, 32) << 1.0 << QSize(32, 32);
    }
    void pictureSizes() {
        QFETCH(QSize, asked);
        QFETCH(qreal, scale);
        QFETCH(QSize, pixels);
        TrayTest t;
        t.Load();
        for (const QIcon* icon : {&t.W->img1, &t.W->img4, &t.W->imgClock2}) {
            const QPixmap pixmap = icon->pixmap(asked, scale);
            QCOMPARE(pixmap.size(), pixels);
            QImage shown(pixels, QImage::Format_ARGB32_Premultiplied);
            shown.fill(Qt::transparent);
            shown.setDevicePixelRatio(scale);
            QPainter painter(&shown);
            icon->paint(&painter, QRect(QPoint(), pixels / scale));
            painter.end();
            QCOMPARE(shown, pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }

    void mouseOnTheIcon_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<bool>("atOnce");
        QTest::addColumn<bool>("popsUp");
        QTest::newRow("left: the menu after the double-click time") << 1 << false << false << true;
        QTest::newRow("left twice: the manager, no menu") << 1 << true << false << false;
        QTest::newRow("right: the menu at once") << 2 << false << true << true;
        QTest::newRow("other: nothing") << 4 << false << false << false;
    }
    void mouseOnTheIcon() {
        QFETCH(int, button);
        QFETCH(bool, doubleClick);
        QFETCH(bool, atOnce);
        QFETCH(bool, popsUp);
        TrayTest t;
        t.Load();
        QMenu& menu = t.P.Stealth().mnuTray;
        t.Icon().Press(button);
        if (doubleClick) t.Icon().DoubleClick();
        QCOMPARE(menu.isVisible(), atOnce);
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QCOMPARE(menu.isVisible(), popsUp);
        menu.hide();
        QCOMPARE(t.P.ManagerOpen, doubleClick);
        if (!doubleClick) return;
        QPointer<frmManager> first = t.P.ManagerWindow;
        first->showMinimized();
        t.Icon().DoubleClick(); // raises the manager that is open
        QCOMPARE(t.P.ManagerWindow, first);
        QVERIFY(first->isVisible() && !first->isMinimized());
    }

    // A StatusNotifierItem host reports a double click as two activations of the icon.
    void activationsMakeADoubleClick() {
        QtSysTray tray(nullptr);
        QSignalSpy downs(&tray, &cSysTray::MouseDown);
        QSignalSpy doubles(&tray, &cSysTray::MouseDblClick);
        for (int click = 0; click < 3; ++click) tray.Activated(QSystemTrayIcon::Trigger); // the third starts anew
        QCOMPARE(downs.size(), 2);
        QCOMPARE(doubles.size(), 1);
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        const auto restore = qScopeGuard([=] { QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval); });
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
        QTest::qWait(20);
        tray.Activated(QSystemTrayIcon::Trigger); // too late to pair with the one before
        QCOMPARE(downs.size(), 3);
        QCOMPARE(doubles.size(), 1);
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
