// The note window's appearance and window controls: size and layout, hover, close, minimise, maximise, drag.
#include "fakes/FakeServices.h"
#include "notes/frmNotes.h"
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

QRect Px(int x, int y, int w, int h) {
    const auto px = [](int t) { return static_cast<int>(std::lround(t / 15.0)); };
    return QRect(px(x), px(y), px(w), px(h));
}

void Move(QWidget* target, QPointF local, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

void Press(QWidget* target, QPointF local, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent press(QEvent::MouseButtonPress, local, target->mapToGlobal(local), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

class tst_frmNotes : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> tp;
    QPointer<frmNotes> win;

    frmNotes* Open(const QString& mode = QString()) {
        win = new frmNotes(**tp);
        win->Form_Load();
        win->lblMode = mode;
        win->ShowNote();
        return win;
    }
    // One shown note whose window is open, so closing it is what ends the program.
    void OneShownEntry() {
        tp->P->ShownNotes.push_back({QStringLiteral("/nowhere/a.nte"), true});
        win->lblIndex = QStringLiteral(" 1");
    }

private slots:
    void init() { tp = std::make_unique<TestProgram>(); }
    void cleanup() {
        delete win.data();
        tp.reset();
    }

    void placeNoteRaisesEachSideToAtLeast800Twips_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("both big enough") << 3000 << 2400 << QSize(200, 160);
        QTest::newRow("exactly 800") << 800 << 800 << QSize(53, 53);
        QTest::newRow("narrow") << 795 << 2400 << QSize(53, 160);
        QTest::newRow("low") << 3000 << 15 << QSize(200, 53);
        QTest::newRow("zero") << 0 << 0 << QSize(53, 53);
        QTest::newRow("negative") << -3000 << -1 << QSize(53, 53);
    }
    void placeNoteRaisesEachSideToAtLeast800Twips() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QSize, pixels);
        Open();
        win->PlaceNote(1500, 750, width, height);
        QCOMPARE(win->geometry(), QRect(QPoint(100, 50), pixels));
        QCOMPARE(win->LeftTwips(), 1500);
        QCOMPARE(win->TopTwips(), 750);
        QCOMPARE(win->imgBack->geometry(), QRect(QPoint(0, 0), pixels));
    }

    void formLoadTakesTheNoteSizeFromTheSettings_data() {
        QTest::addColumn<int>("noteWidth");
        QTest::addColumn<int>("noteHeight");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("default 180") << 180 << 180 << QSize(180, 180);
        QTest::newRow("wide") << 300 << 100 << QSize(300, 100);
        QTest::newRow("too small both ways") << 40 << 20 << QSize(53, 53);
    }
    void formLoadTakesTheNoteSizeFromTheSettings() {
        QFETCH(int, noteWidth);
        QFETCH(int, noteHeight);
        QFETCH(QSize, pixels);
        tp->P->Settings.NoteWidth = static_cast<int16_t>(noteWidth);
        tp->P->Settings.NoteHeight = static_cast<int16_t>(noteHeight);
        Open();
        QCOMPARE(win->size(), pixels);
        QCOMPARE(win->windowTitle(), QStringLiteral("PVL 3"));
        QVERIFY(win->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(win->testAttribute(Qt::WA_DeleteOnClose));
    }

    void editorsNoteWindowIsCentredWithTheEditor() {
        tp->P->EditNoteLoading = true;
        win = new frmNotes(**tp);
        win->EditorWidth = 6480;
        win->EditorHeight = 5160;
        win->Form_Load();
        QCOMPARE(tp->P->EditNoteLoading, false);
        QCOMPARE(win->windowTitle(), QStringLiteral("PVL 3: EditNotes"));
        // 1024 x 768 pixels: 7680 - (2700 + 120 + 6480) / 2 = 3030; 5760 - 5160 / 2 = 3180.
        QCOMPARE(win->LeftTwips(), 3030);
        QCOMPARE(win->TopTwips(), 3180);
        QCOMPARE(win->txtNote->viewport()->cursor().shape(), Qt::IBeamCursor);
    }

    void layoutFollowsTheTable_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        // Window 3000 x 2400 twips.
        QTest::newRow("imgBack") << "imgBack" << QRect(0, 0, 3000, 2400);
        QTest::newRow("txtNote") << "txtNote" << QRect(45, 45, 2910, 2310);
        QTest::newRow("cmdCtl") << "cmdCtl" << QRect(60, 60, 195, 195);
        QTest::newRow("cmdM") << "cmdM" << QRect(2355, 60, 192, 192);
        QTest::newRow("cmdMR") << "cmdMR" << QRect(2550, 60, 192, 192);
        QTest::newRow("cmdC") << "cmdC" << QRect(2745, 60, 192, 192);
        QTest::newRow("cmdSound") << "cmdSound" << QRect(90, 2118, 195, 195);
        QTest::newRow("cmdLast") << "cmdLast" << QRect(2490, 2118, 192, 192);
        QTest::newRow("cmdNext") << "cmdNext" << QRect(2670, 2118, 192, 192);
    }
    void layoutFollowsTheTable() {
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        Open();
        win->PlaceNote(0, 0, 3000, 2400);
        const std::map<QString, QWidget*> controls{
            {"imgBack", win->imgBack},   {"txtNote", win->txtNote}, {"cmdCtl", win->cmdCtl},
            {"cmdM", win->cmdM},         {"cmdMR", win->cmdMR},     {"cmdC", win->cmdC},
            {"cmdSound", win->cmdSound}, {"cmdLast", win->cmdLast}, {"cmdNext", win->cmdNext}};
        QCOMPARE(controls.at(control)->geometry(), Px(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void arrangeControlsPutsTheTextBelowTheButtons() {
        Open();
        win->PlaceNote(0, 0, 3000, 2400);
        win->ArrangeControls();
        QCOMPARE(win->txtNote->geometry(), Px(45, 315, 2910, 2040));
        QCOMPARE(win->size(), QSize(200, 160)); // the window itself is left alone
    }

    void hoverShowsTheCaptionButtonsAndMovesTheTextOnce() {
        Open();
        win->txtNote->SetEffect(NoteFrame::Sunken);
        const QRect normal = win->txtNote->geometry();
        for (ImageButton* button : {win->cmdC, win->cmdC, win->cmdM, win->cmdCtl, win->cmdMR})
            Move(button, QPointF(3, 3));
        QVERIFY(win->TopButtonsShown);
        QCOMPARE(win->txtNote->geometry(), normal.adjusted(0, 18, 0, 0));
        QCOMPARE(win->cmdC->Glyph(), NoteGlyph::Close);
        QCOMPARE(win->cmdM->Glyph(), NoteGlyph::Minimise);
        QCOMPARE(win->cmdMR->Glyph(), NoteGlyph::Maximise);
        QCOMPARE(win->cmdCtl->Glyph(), NoteGlyph::About);
        QVERIFY(win->cmdC->Framed());
        QCOMPARE(win->cmdC->Effect(), NoteFrame::Sunken);
        QVERIFY(!win->cmdCtl->Framed());
        QCOMPARE(win->cmdC->toolTip(), QStringLiteral("Close"));
        QCOMPARE(win->cmdM->toolTip(), QStringLiteral("Minimize"));
        QCOMPARE(win->cmdMR->toolTip(), QStringLiteral("Maximize"));
        QCOMPARE(win->cmdCtl->toolTip(), QStringLiteral("About. . ."));

        Move(win->txtNote->viewport(), QPointF(20, 40));
        Move(win->txtNote->viewport(), QPointF(21, 40));
        QVERIFY(!win->TopButtonsShown);
        QCOMPARE(win->txtNote->geometry(), normal);
        for (ImageButton* button : {win->cmdC, win->cmdM, win->cmdMR, win->cmdCtl}) QVERIFY(!button->Glyph());

        Move(win->cmdM, QPointF(2, 2));
        Move(win->txtNote->viewport(), QPointF(20, 40));
        QCOMPARE(win->txtNote->geometry(), normal); // no drift after a second round
    }

    void editModeNeverShowsTheCaptionButtons() {
        Open(QStringLiteral("Edit"));
        const QRect normal = win->txtNote->geometry();
        for (ImageButton* button : {win->cmdC, win->cmdM, win->cmdMR, win->cmdCtl}) Move(button, QPointF(3, 3));
        QVERIFY(!win->TopButtonsShown);
        QCOMPARE(win->txtNote->geometry(), normal);
        for (ImageButton* button : {win->cmdC, win->cmdM, win->cmdMR, win->cmdCtl}) QVERIFY(!button->Glyph());
    }

    void invisibleButtonsStillTakeTheMouse() {
        Open();
        const QPoint overClose = win->cmdC->geometry().center();
        QCOMPARE(win->childAt(overClose), win->cmdC);
        win->HideNavButtons();
        const QPoint overNext = win->cmdNext->geometry().center();
        QVERIFY(win->childAt(overNext) != win->cmdNext);
        QVERIFY(win->childAt(win->cmdLast->geometry().center()) != win->cmdLast);
    }

    void playSoundShowsOnlyWithAButtonSound_data() {
        QTest::addColumn<QString>("buttonSound");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no sound") << QString() << false;
        QTest::newRow("with sound") << QStringLiteral("/sounds/ding.wav") << true;
    }
    void playSoundShowsOnlyWithAButtonSound() {
        QFETCH(QString, buttonSound);
        QFETCH(bool, shown);
        Open();
        win->lblPlay = buttonSound;
        Move(win->cmdSound, QPointF(2, 2));
        QVERIFY(win->SoundButtonShown);
        QCOMPARE(win->cmdSound->Glyph().has_value(), shown);
        if (shown) QCOMPARE(win->cmdSound->toolTip(), QStringLiteral("Play Sound"));
        Move(win->txtNote->viewport(), QPointF(20, 40));
        QVERIFY(!win->SoundButtonShown);
        QVERIFY(!win->cmdSound->Glyph());
    }

    void closeAsksOnlyWhenTheSettingSaysSo_data() {
        QTest::addColumn<int>("prompt");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("no question") << 0 << false << true;
        QTest::newRow("asked, yes") << 1 << true << true;
        QTest::newRow("asked, no") << 1 << false << false;
        QTest::newRow("setting 2 is not 1") << 2 << false << true;
    }
    void closeAsksOnlyWhenTheSettingSaysSo() {
        QFETCH(int, prompt);
        QFETCH(bool, answer);
        QFETCH(bool, closes);
        tp->P->Settings.PromptCloseNote = static_cast<uint8_t>(prompt);
        tp->Questions.Answers.push_back(answer);
        Open();
        OneShownEntry();
        win->lblDAct = QStringLiteral("/sounds/bye.wav");
        QTest::mouseClick(win->cmdC, Qt::LeftButton);
        if (prompt == 1) {
            QCOMPARE(tp->Questions.Questions.size(), size_t(1));
            QCOMPARE(tp->Questions.Questions[0].Title, QStringLiteral("Are you sure you want to close this Note?"));
            QCOMPARE(tp->Questions.Questions[0].Text, QStringLiteral("Click 'YES' if you want to close this Note."));
        } else {
            QVERIFY(tp->Questions.Questions.empty());
        }
        QCOMPARE(tp->P->Shown(1).IsOpen, !closes);
        QCOMPARE(tp->Sound.Played, closes ? QStringList{"/sounds/bye.wav"} : QStringList{});
        // The entry was marked before the unload's check, so the last note closing ends the program there.
        QCOMPARE(tp->ProcessEnd.Calls, closes ? 1 : 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(win.isNull(), closes);
    }

    void minimiseNamesTheNoteOnTheTaskBar() {
        Open();
        win->txtNote->SetNoteText(QStringLiteral("   Buy milk  "));
        win->cmdM_Click();
        QCOMPARE(win->windowTitle(), QStringLiteral("PVL 3: Buy milk"));
        QVERIFY(win->windowState() & Qt::WindowMinimized);
    }

    void maximiseAndRestore() {
        Open();
        Move(win->cmdMR, QPointF(2, 2));
        QTest::mouseClick(win->cmdMR, Qt::LeftButton);
        QVERIFY(win->IsMaximised);
        QCOMPARE(win->imgBack->cursor().shape(), Qt::ArrowCursor);
        QTRY_VERIFY(win->width() > 180);
        // Laid out for the maximised size, the text below the buttons.
        QCOMPARE(win->txtNote->geometry(), Px(45, 315, win->WidthTwips() - 90, win->HeightTwips() - 360));
        QCOMPARE(win->cmdC->geometry().topLeft(), Px(win->WidthTwips() - 255, 60, 0, 0).topLeft());

        Move(win->txtNote->viewport(), QPointF(20, 40));
        QCOMPARE(win->txtNote->geometry().top(), 3);
        Move(win->cmdMR, QPointF(2, 2));
        QCOMPARE(win->cmdMR->Glyph(), NoteGlyph::Restore);
        QCOMPARE(win->cmdMR->toolTip(), QStringLiteral("Restore"));

        QTest::mouseClick(win->cmdMR, Qt::LeftButton);
        QVERIFY(!win->IsMaximised);
        QCOMPARE(win->imgBack->cursor().shape(), Qt::SizeAllCursor);
        QTRY_COMPARE(win->size(), QSize(180, 180));
        QCOMPARE(win->txtNote->geometry(), Px(45, 315, 2700 - 90, 2700 - 360));
    }

    void draggingTheBackgroundMovesTheWindow() {
        Open();
        win->PlaceNote(1500, 1500, 2700, 2700);
        QCOMPARE(win->imgBack->cursor().shape(), Qt::SizeAllCursor);
        Press(win->imgBack, QPointF(2, 5));
        QCOMPARE(win->DragStartX, 30);
        QCOMPARE(win->DragStartY, 75);
        Move(win->imgBack, QPointF(12, 25), Qt::LeftButton);
        QCOMPARE(win->pos(), QPoint(110, 120));
        QCOMPARE(win->size(), QSize(180, 180));
        Move(win->imgBack, QPointF(2, 5), Qt::NoButton); // a move without the button does nothing
        QCOMPARE(win->pos(), QPoint(110, 120));
        Press(win->imgBack, QPointF(50, 50), Qt::RightButton); // only the left button starts a drag
        QCOMPARE(win->DragStartX, 30);
    }

    void aMaximisedWindowCannotBeDragged() {
        Open();
        win->cmdMR_Click();
        QTRY_VERIFY(win->width() > 180);
        const QPoint before = win->pos();
        Press(win->imgBack, QPointF(2, 5));
        Move(win->imgBack, QPointF(40, 40), Qt::LeftButton);
        QCOMPARE(win->pos(), before);
        win->cmdMR_Click();
        QTRY_COMPARE(win->size(), QSize(180, 180));
        const QPoint restored = win->pos();
        Press(win->imgBack, QPointF(2, 5));
        Move(win->imgBack, QPointF(12, 5), Qt::LeftButton);
        QCOMPARE(win->pos(), restored + QPoint(10, 0));
    }
};

QTEST_MAIN(tst_frmNotes)
#include "tst_frmNotes.moc"
