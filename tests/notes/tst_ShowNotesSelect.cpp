// ShowNotes: which notes are selected, the load sounds, the hourglass, and notes that cannot be read.
#include "manager/frmManager.h"
#include "tst_ShowNotesFixture.h"

using namespace ShowNotesFixture;
using mdlCommonFunc::ShowNotes;

namespace {
// Remembers whether the hourglass was up when each sound started.
class CursorSound : public ISoundPlayer {
public:
    QList<bool> HourglassUp;
    void Play(const QString&) override {
        const QCursor* c = QGuiApplication::overrideCursor();
        HourglassUp << (c && c->shape() == Qt::WaitCursor);
    }
};
} // namespace

class tst_ShowNotesSelect : public QObject {
    Q_OBJECT

private slots:
    void init() { m = std::make_unique<Notes>(); }
    void cleanup() { m.reset(); }

    void selection_data();
    void selection();
    void selectedNote_data();
    void selectedNote();
    void loadSoundsInOrder();
    void hourglassDuringAndAfter();
    void unreadableNotes_data();
    void unreadableNotes();
    void unreadableFirstEntryOfAStack();
    void missingPictureAndSoundStillShow();

private:
    std::unique_ptr<Notes> m;
};

// One note against the fake clock's day, 5 December 2026.
void tst_ShowNotesSelect::selection_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("onlyEnabled");
    QTest::addColumn<int>("enabled");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("until");
    QTest::addColumn<bool>("shown");

    QTest::newRow("today: from = until = today") << 1 << 0 << 1 << 20261205 << 20261205 << true;
    QTest::newRow("today: until yesterday") << 1 << 0 << 1 << 20261201 << 20261204 << false;
    QTest::newRow("today: from tomorrow") << 1 << 0 << 1 << 20261206 << 20261231 << false;
    QTest::newRow("today: across the year end") << 1 << 0 << 1 << 20261130 << 20270105 << true;
    QTest::newRow("today: disabled, enabled ignored") << 1 << 0 << 0 << 20261205 << 20261205 << true;
    QTest::newRow("today: disabled, only enabled") << 1 << -1 << 0 << 20261205 << 20261205 << false;
    QTest::newRow("today: Enabled 2, only enabled") << 1 << -1 << 2 << 20261205 << 20261205 << false;
    QTest::newRow("today: enabled, only enabled") << 1 << -1 << 1 << 20261205 << 20261205 << true;
    QTest::newRow("all: out of its dates") << 2 << 0 << 1 << 20200101 << 20200102 << true;
    QTest::newRow("all: disabled, only enabled") << 2 << -1 << 0 << 20261205 << 20261205 << false;
    QTest::newRow("all: Enabled 2, only enabled") << 2 << -1 << 2 << 20261205 << 20261205 << false;
    QTest::newRow("all: Enabled -1, only enabled") << 2 << -1 << -1 << 20261205 << 20261205 << false;
    QTest::newRow("all: disabled, enabled ignored") << 2 << 0 << 0 << 20261205 << 20261205 << true;
    QTest::newRow("OnlyEnabled 1 selects nothing") << 2 << 1 << 1 << 20261205 << 20261205 << false;
    QTest::newRow("OnlyEnabled -2 selects nothing") << 2 << -2 << 1 << 20261205 << 20261205 << false;
    QTest::newRow("Which 3 selects nothing") << 3 << 0 << 1 << 20261205 << 20261205 << false;
    QTest::newRow("Which -1 selects nothing") << -1 << 0 << 1 << 20261205 << 20261205 << false;
}

void tst_ShowNotesSelect::selection() {
    QFETCH(int, which);
    QFETCH(int, onlyEnabled);
    QFETCH(int, enabled);
    QFETCH(int, from);
    QFETCH(int, until);
    QFETCH(bool, shown);
    NoteRecord note = DueNote("Dated");
    note.Enabled = static_cast<int16_t>(enabled);
    note.ShowFrom = from;
    note.ShowUntil = until;
    m->Write("dated.nte", note);
    m->Write("other.nte", DueNote("Other")); // due and enabled: shows whenever the selection works at all
    m->Refresh();

    ShowNotes(*m->P, static_cast<int16_t>(onlyEnabled), static_cast<int16_t>(which));

    QStringList paths;
    for (const ShownNote& entry : m->P->ShownNotes) paths << entry.FilePath;
    const bool works = which >= 0 && which <= 2 && (onlyEnabled == 0 || onlyEnabled == -1);
    QCOMPARE(paths.contains(m->Path("dated.nte")), shown);
    QCOMPARE(paths.contains(m->Path("other.nte")), works);
    QCOMPARE(int(Notes::Windows().size()), int(paths.size()));
    QVERIFY(!QGuiApplication::overrideCursor());
}

// Which 0 takes the line selected in the manager's list, and nothing without one.
void tst_ShowNotesSelect::selectedNote_data() {
    QTest::addColumn<bool>("manager");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("onlyEnabled");
    QTest::addColumn<QString>("expected"); // file name, empty for nothing

    QTest::newRow("no manager") << false << 1 << 0 << QString();
    QTest::newRow("manager, no selection") << true << -1 << 0 << QString();
    QTest::newRow("manager, second line") << true << 1 << 0 << "n2.nte";
    QTest::newRow("manager, first line") << true << 0 << -1 << "n1.nte";
    QTest::newRow("manager, disabled line, only enabled") << true << 2 << -1 << QString();
    QTest::newRow("manager, disabled line, enabled ignored") << true << 2 << 0 << "n3.nte";
}

void tst_ShowNotesSelect::selectedNote() {
    QFETCH(bool, manager);
    QFETCH(int, row);
    QFETCH(int, onlyEnabled);
    QFETCH(QString, expected);
    m->WriteMany(3);
    NoteRecord disabled = DueNote("Note 3");
    disabled.Enabled = 0;
    m->Write("n3.nte", disabled);
    m->Refresh();
    if (manager) {
        m->P->ListPos = static_cast<int16_t>(row);
        m->P->ManagerWindow = new frmManager(*m->P);
        m->P->ManagerWindow->Form_Load();
        if (row < 0) m->P->ManagerWindow->lstNotes->clearSelection();
        QCOMPARE(m->P->ManagerWindow->lstNotes->count(), 3);
    }

    ShowNotes(*m->P, static_cast<int16_t>(onlyEnabled), 0);

    if (expected.isEmpty()) {
        QCOMPARE(m->P->ShownCount(), 0);
    } else {
        QCOMPARE(m->P->ShownCount(), 1);
        QCOMPARE(m->P->Shown(1).FilePath, m->Path(expected));
        QCOMPARE(Notes::Windows().size(), size_t(1));
    }
    delete m->P->ManagerWindow.data();
}

void tst_ShowNotesSelect::loadSoundsInOrder() {
    const QStringList sounds{"/s/one.wav", "", "/s/three.wav", "/s/four.wav"};
    for (int i = 0; i < sounds.size(); ++i) {
        NoteRecord note = DueNote("Note");
        note.LoadSound = sounds[i];
        m->Write("n" + QString::number(i + 1) + ".nte", note);
    }
    m->Refresh();
    ShowNotes(*m->P, 0, 2);
    QCOMPARE(m->T.Sound.Played, QStringList({"/s/one.wav", "/s/three.wav", "/s/four.wav"}));

    // A stack plays only its one window's sound.
    m->P->Settings.Arrangement = 0;
    m->T.Sound.Played.clear();
    ShowNotes(*m->P, 0, 2);
    QCOMPARE(m->T.Sound.Played, QStringList({"/s/one.wav"}));
}

void tst_ShowNotesSelect::hourglassDuringAndAfter() {
    CursorSound sound;
    const Services fakes = m->P->S;
    Program P(Services{fakes.Questions, fakes.Choosers, sound, fakes.Clock, fakes.Screen, fakes.Random,
                       fakes.ProcessEnd, fakes.TrayFactory},
              m->T.ProgramFolder());
    P.Settings = m->P->Settings;
    P.Settings.Arrangement = 1;
    NoteRecord note = DueNote("Loud");
    note.LoadSound = "/s/load.wav";
    m->Write("a.nte", note);
    m->Write("b.nte", note);
    P.Stealth().flbNotes.Refresh();
    struct CloseWindows { // before P goes, even when a check fails
        ~CloseWindows() {
            for (frmNotes* w : Notes::Windows()) delete w;
        }
    } closeWindows;

    ShowNotes(P, 0, 2);
    QCOMPARE(sound.HourglassUp, QList<bool>({true, true}));
    QVERIFY(!QGuiApplication::overrideCursor());
    ShowNotes(P, 0, 5); // nothing selected
    QVERIFY(!QGuiApplication::overrideCursor());
}

// A note that is damaged or gone by the time it is opened gets no window and takes no place in the
// cascade; the notes around it show as usual.
void tst_ShowNotesSelect::unreadableNotes_data() {
    QTest::addColumn<int>("onlyEnabled");
    QTest::addColumn<int>("cut"); // bytes left of the second note, -1: deleted after listing
    QTest::addColumn<int>("entries");

    QTest::newRow("cut in the text, listed unread") << 0 << 20 << 3;
    QTest::newRow("vanished, listed unread") << 0 << -1 << 3;
    QTest::newRow("cut in Enabled, head read fails") << -1 << 9 << 2;
    QTest::newRow("cut after the text, head still reads") << -1 << 20 << 3;
    QTest::newRow("vanished, head read fails") << -1 << -1 << 2;
}

void tst_ShowNotesSelect::unreadableNotes() {
    QFETCH(int, onlyEnabled);
    QFETCH(int, cut);
    QFETCH(int, entries);
    m->WriteMany(3);
    m->Refresh();
    QFile bad(m->Path("n2.nte"));
    if (cut < 0) {
        QVERIFY(bad.remove());
    } else {
        QVERIFY(bad.resize(cut));
    }

    ShowNotes(*m->P, static_cast<int16_t>(onlyEnabled), 2);

    QCOMPARE(m->P->ShownCount(), entries);
    const auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(2));
    QCOMPARE(windows[0]->lblFileNamePath, m->Path("n1.nte"));
    QCOMPARE(windows[1]->lblFileNamePath, m->Path("n3.nte"));
    QCOMPARE(TwipsPos(windows[1]), QPoint(240, 240));
    QCOMPARE(m->P->ShowRecord.Text, "Note 3");
    QCOMPARE(m->OpenEntries(), 2);
    if (entries == 3) QVERIFY(!m->P->Shown(2).IsOpen);
}

// The stack's one window goes to the next readable new entry rather than to none.
void tst_ShowNotesSelect::unreadableFirstEntryOfAStack() {
    m->P->Settings.Arrangement = 0;
    m->WriteMany(3);
    m->Refresh();
    QVERIFY(QFile(m->Path("n1.nte")).resize(9));
    ShowNotes(*m->P, 0, 2);
    const auto windows = Notes::Windows();
    QCOMPARE(windows.size(), size_t(1));
    QCOMPARE(windows[0]->lblIndex, " 2");
    QCOMPARE(windows[0]->lblMode, "Single");
    QVERIFY(!m->P->Shown(1).IsOpen);
    QVERIFY(m->P->Shown(2).IsOpen);
    QCOMPARE(m->P->CascadeStep, 1);
}

void tst_ShowNotesSelect::missingPictureAndSoundStillShow() {
    NoteRecord note = DueNote("Picture gone");
    note.ImagePath = m->T.ProgramFolder() + "gone.bmp";
    note.ImageAlign = 2;
    note.LoadSound = m->T.ProgramFolder() + "gone.wav";
    m->Write("a.nte", note);
    m->Write("b.nte", DueNote("Plain"));
    m->Refresh();
    ShowNotes(*m->P, -1, 1);
    QCOMPARE(Notes::Windows().size(), size_t(2));
    QCOMPARE(m->OpenEntries(), 2);
    QCOMPARE(m->T.Sound.Played, QStringList{note.LoadSound});
}

QTEST_MAIN(tst_ShowNotesSelect)
#include "tst_ShowNotesSelect.moc"
