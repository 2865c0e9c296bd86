// ShowNotes: how many windows open for which entries, and where they go (cascade, stack, scatter).
#include "tst_ShowNotesFixture.h"

using namespace ShowNotesFixture;
using mdlCommonFunc::ShowNotes;

class tst_ShowNotes : public QObject {
    Q_OBJECT

private slots:
    void init() { m = std::make_unique<Notes>(); }
    void cleanup() { m.reset(); }

    void countOpenNotes();
    void cascadeFirstWindows();
    void cascadeSequence_data();
    void cascadeSequence();
    void cascadeWrapsOnScreen();
    void twoCallsContinueTheCascade();
    void stackOpensOneWindowAndReopensTheLast();
    void scatter_data();
    void scatter();
    void windowLimit_data();
    void windowLimit();
    void unknownArrangementOpensNothing();

private:
    std::unique_ptr<Notes> m;
};

void tst_ShowNotes::countOpenNotes() {
    Program& P = *m->P;
    P.OpenNoteCount = 7; // stale value from earlier: an empty list counts 0
    mdlCommonFunc::CountOpenNotes(P);
    QCOMPARE(P.OpenNoteCount, 0);
    P.ShownNotes = {{"a", true}, {"b", false}, {"a", true}, {"c", false}, {"d", true}};
    mdlCommonFunc::CountOpenNotes(P);
    QCOMPARE(P.OpenNoteCount, 3);
}

void tst_ShowNotes::cascadeFirstWindows() {
    m->WriteMany(3);
    NoteRecord third = DueNote("Note 3");
    third.LoadSound = "/snd/load.wav";
    third.CloseSound = "/snd/close.wav";
    third.ButtonSound = "/snd/button.wav";
    m->Write("n3.nte", third);
    m->Refresh();

    ShowNotes(*m->P, 0, 2);

    const auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(3));
    QCOMPARE(m->P->ShownCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const int32_t index = i + 1;
        QCOMPARE(TwipsPos(windows[i]), QPoint(120 * index, 120 * index));
        QCOMPARE(windows[i]->lblIndex, " " + QString::number(index));
        QCOMPARE(windows[i]->lblFileNamePath, m->Path("n" + QString::number(index) + ".nte"));
        QCOMPARE(windows[i]->lblMode, QString());
        QVERIFY(m->P->Shown(index).IsOpen);
        QVERIFY(windows[i]->isVisible());
    }
    QCOMPARE(windows[0]->lblAct, QString());
    QCOMPARE(windows[2]->lblAct, "/snd/load.wav");
    QCOMPARE(windows[2]->lblDAct, "/snd/close.wav");
    QCOMPARE(windows[2]->lblPlay, "/snd/button.wav");
    QCOMPARE(m->P->ShowRecord.Text, "Note 3"); // the note read last
    QCOMPARE(m->P->CascadeStep, 3);
    QCOMPARE(m->P->CascadeColumn, 0);
    QVERIFY(!QGuiApplication::overrideCursor());
}

// Positions (left, top) of successive windows on a small screen, and the state they leave behind.
void tst_ShowNotes::cascadeSequence_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<QPoint>>("places");
    QTest::addColumn<int>("stepAfter");
    QTest::addColumn<int>("columnAfter");

    // The fourth window passes the bottom (480 > 400): it still goes there, the next run starts at the
    // top two steps right. Left 600 on a 600-twip screen is not past the edge; 720 is, back to column 1.
    QTest::newRow("600x400") << 600 << 400 << QList<QPoint>{{120, 120}, {240, 240}, {360, 360}, {480, 480}, {360, 120},
                                                            {480, 240}, {600, 360}, {720, 480}, {240, 120}}
                             << 1 << 1;
    // Top equal to the height stays in the run.
    QTest::newRow("height exactly reached")
        << 10000 << 360 << QList<QPoint>{{120, 120}, {240, 240}, {360, 360}, {480, 480}, {360, 120}} << 1 << 2;
    QTest::newRow("roomy screen") << 15360 << 11520 << QList<QPoint>{{120, 120}, {240, 240}} << 2 << 0;
}

void tst_ShowNotes::cascadeSequence() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QList<QPoint>, places);
    QFETCH(int, stepAfter);
    QFETCH(int, columnAfter);
    m->T.Screen.Width = width;
    m->T.Screen.Height = height;
    for (const QPoint& expected : places) {
        const mdlCommonFunc::NotePlace place = mdlCommonFunc::NextNotePlace(*m->P);
        QCOMPARE(QPoint(place.Left, place.Top), expected);
    }
    QCOMPARE(m->P->CascadeStep, stepAfter);
    QCOMPARE(m->P->CascadeColumn, columnAfter);
}

// The same wrap through real windows: the window past the bottom sits off the screen, the next at the top.
void tst_ShowNotes::cascadeWrapsOnScreen() {
    m->T.Screen.Height = 400;
    m->T.Screen.Width = 20000;
    m->WriteMany(5);
    m->Refresh();
    ShowNotes(*m->P, 0, 2);
    const auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(5));
    QCOMPARE(TwipsPos(windows[3]), QPoint(480, 480));
    QCOMPARE(TwipsPos(windows[4]), QPoint(360, 120));
}

void tst_ShowNotes::twoCallsContinueTheCascade() {
    m->WriteMany(3);
    m->Refresh();
    ShowNotes(*m->P, 0, 2);
    ShowNotes(*m->P, 0, 2);

    QCOMPARE(m->P->ShownCount(), 6);
    for (int32_t i = 1; i <= 3; ++i) QCOMPARE(m->P->Shown(i + 3).FilePath, m->P->Shown(i).FilePath);
    const auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(6));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(windows[i]->lblIndex, " " + QString::number(i + 1));
        QCOMPARE(TwipsPos(windows[i]), QPoint(120 * (i + 1), 120 * (i + 1)));
    }
    QCOMPARE(m->OpenEntries(), 6);
}

void tst_ShowNotes::stackOpensOneWindowAndReopensTheLast() {
    m->P->Settings.Arrangement = 0;
    m->WriteMany(3);
    m->Refresh();

    ShowNotes(*m->P, 0, 2);
    auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(1));
    QCOMPARE(m->P->ShownCount(), 3);
    QCOMPARE(windows[0]->lblIndex, " 1");
    QCOMPARE(windows[0]->lblMode, "Single");
    QCOMPARE(windows[0]->lblFileNamePath, m->Path("n1.nte"));
    QCOMPARE(TwipsPos(windows[0]), QPoint(120, 120));
    QCOMPARE(m->OpenEntries(), 1);
    QVERIFY(m->P->Shown(1).IsOpen);

    // Which 0 without the manager selects nothing: the last entry is shown again, one cascade step on.
    ShowNotes(*m->P, 0, 0);
    windows = Notes::Windows();
    QCOMPARE(m->P->ShownCount(), 3);
    QCOMPARE(windows.size(), size_t(2));
    QCOMPARE(windows[1]->lblIndex, " 3");
    QCOMPARE(windows[1]->lblMode, "Single");
    QCOMPARE(TwipsPos(windows[1]), QPoint(240, 240));
    QVERIFY(m->P->Shown(3).IsOpen);
    QVERIFY(!m->P->Shown(2).IsOpen);
}

void tst_ShowNotes::scatter_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("r1");
    QTest::addColumn<double>("r2");
    QTest::addColumn<QPoint>("place"); // left, top

    // 180 pixels are 2700 twips; the first draw gives Top, the second Left.
    QTest::newRow("zero") << 15360 << 11520 << 0.0 << 0.0 << QPoint(0, 0);
    QTest::newRow("half") << 15360 << 11520 << 0.5 << 0.25 << QPoint(3165, 4410);
    QTest::newRow("draw order") << 15360 << 11520 << 0.25 << 0.5 << QPoint(6330, 2205);
    // Close to 1 the window ends exactly on the right and bottom edges, never past them.
    QTest::newRow("almost one") << 15360 << 11520 << 0.9999999 << 0.9999999 << QPoint(12660, 8820);
    QTest::newRow("small screen") << 3000 << 2800 << 0.9999999 << 0.5 << QPoint(150, 100);
}

void tst_ShowNotes::scatter() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, r1);
    QFETCH(double, r2);
    QFETCH(QPoint, place);
    m->T.Screen.Width = width;
    m->T.Screen.Height = height;
    m->P->Settings.Arrangement = 2;
    m->T.Random.Sequence = {r1, r2, 0.0, 0.0};

    const mdlCommonFunc::NotePlace next = mdlCommonFunc::NextNotePlace(*m->P);
    QCOMPARE(QPoint(next.Left, next.Top), place);
    QCOMPARE(m->T.Random.Sequence.size(), size_t(2)); // exactly two draws
    QCOMPARE(m->P->CascadeStep, 1);                   // a scattered window still counts a step
    QCOMPARE(m->P->CascadeColumn, 0);

    // Through a real window: the same place, nav buttons hidden, no mode.
    m->T.Random.Sequence = {r1, r2};
    m->WriteMany(1);
    m->Refresh();
    ShowNotes(*m->P, 0, 2);
    const auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(1));
    QCOMPARE(windows[0]->lblMode, QString());
    const QPoint on = TwipsPos(windows[0]);
    QVERIFY2(qAbs(on.x() - place.x()) < 15 && qAbs(on.y() - place.y()) < 15,
             qPrintable(QStringLiteral("window at %1,%2").arg(on.x()).arg(on.y())));
}

// Entries already open before the call (by earlier windows) against five new notes.
void tst_ShowNotes::windowLimit_data() {
    QTest::addColumn<int>("arrangement");
    QTest::addColumn<int>("openBefore");
    QTest::addColumn<int>("newWindows");

    QTest::newRow("cascade, 30 open") << 1 << 30 << 1;
    QTest::newRow("cascade, 29 open") << 1 << 29 << 2;
    QTest::newRow("cascade, 31 open") << 1 << 31 << 0;
    QTest::newRow("scatter, 30 open") << 2 << 30 << 1;
    QTest::newRow("stack, 30 open") << 0 << 30 << 1;
    QTest::newRow("stack, 31 open") << 0 << 31 << 0;
}

void tst_ShowNotes::windowLimit() {
    QFETCH(int, arrangement);
    QFETCH(int, openBefore);
    QFETCH(int, newWindows);
    m->P->Settings.Arrangement = static_cast<uint8_t>(arrangement);
    for (int i = 0; i < openBefore; ++i) m->P->ShownNotes.push_back({QStringLiteral("/elsewhere/open.nte"), true});
    m->WriteMany(5);
    m->Refresh();

    ShowNotes(*m->P, 0, 2);

    QCOMPARE(m->P->ShownCount(), openBefore + 5);
    QCOMPARE(int(Notes::Windows().size()), newWindows);
    QCOMPARE(m->OpenEntries(), openBefore + newWindows);
    // The first new entries got the windows; the rest stay listed, unopened.
    for (int32_t i = openBefore + 1; i <= openBefore + 5; ++i)
        QCOMPARE(m->P->Shown(i).IsOpen, i <= openBefore + newWindows);
}

void tst_ShowNotes::unknownArrangementOpensNothing() {
    m->P->Settings.Arrangement = 3;
    m->WriteMany(2);
    m->Refresh();
    ShowNotes(*m->P, 0, 2);
    QCOMPARE(m->P->ShownCount(), 2);
    QCOMPARE(Notes::Windows().size(), size_t(0));
    QCOMPARE(m->P->CascadeStep, 0);
}

QTEST_MAIN(tst_ShowNotes)
#include "tst_ShowNotes.moc"
