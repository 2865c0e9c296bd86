// The note window's paging, sounds, edit mode, text menus and unloading, over real note files.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "fakes/FakeServices.h"
#include "notes/frmNotes.h"
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QtTest>

namespace {

NoteRecord Note(const QString& text) {
    NoteRecord note;
    note.Text = text;
    note.BackColour = 0x00C0FFFF;
    note.FontColour = 0x00000080;
    note.FontName = QStringLiteral("DejaVu Sans");
    note.FontSize = 11;
    note.TextAlign = 1;
    return note;
}

void PressText(frmNotes* win, Qt::MouseButton button) {
    QWidget* view = win->txtNote->viewport();
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
}

} // namespace

class tst_frmNotesPaging : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> tp;
    QPointer<frmNotes> win;
    QString notes; // the notes folder, ending in the separator

    QString Write(const QString& name, const NoteRecord& note) {
        const QString path = notes + name;
        if (!NoteFile::WriteNote(path, note)) qFatal("cannot write the test note");
        tp->P->ShownNotes.push_back({path, false});
        return path;
    }
    // Three notes; the window shows entry `index` in "Single" mode, as a stack window would.
    void OpenOnThree(int index) {
        NoteRecord one = Note(QStringLiteral("one"));
        one.CloseSound = QStringLiteral("/s/close1.wav");
        one.LoadSound = QStringLiteral("/s/load1.wav");
        NoteRecord two = Note(QStringLiteral("two"));
        two.LoadSound = QStringLiteral("/s/load2.wav");
        two.ButtonSound = QStringLiteral("/s/button2.wav");
        NoteRecord three = Note(QStringLiteral("three"));
        three.CloseSound = QStringLiteral("/s/close3.wav");
        const QList<NoteRecord> all{one, two, three};
        for (int i = 0; i < 3; ++i) Write(QStringLiteral("n%1.nte").arg(i + 1), all[i]);
        Open(QStringLiteral("Single"));
        Show(index, all[index - 1]);
    }
    void Open(const QString& mode) {
        win = new frmNotes(**tp);
        win->Form_Load();
        win->lblMode = mode;
        win->ShowNote();
    }
    void Show(int index, const NoteRecord& note) {
        win->ApplyNote(note);
        win->lblIndex = QStringLiteral(" %1").arg(index);
        win->lblFileNamePath = tp->P->Shown(index).FilePath;
        win->lblAct = note.LoadSound;
        win->lblDAct = note.CloseSound;
        win->lblPlay = note.ButtonSound;
        tp->P->Shown(index).IsOpen = true;
    }
    QList<bool> OpenMarks() const {
        QList<bool> marks;
        for (const ShownNote& entry : tp->P->ShownNotes) marks << entry.IsOpen;
        return marks;
    }

private slots:
    void init() {
        tp = std::make_unique<TestProgram>();
        notes = tp->ProgramFolder() + QStringLiteral("Notes/");
        QDir().mkpath(notes);
        tp->P->Settings.NotesFolder = notes;
    }
    void cleanup() {
        delete win.data();
        tp.reset();
        QGuiApplication::clipboard()->clear();
    }

    void pagingWrapsAtBothEnds_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("to");
        QTest::newRow("next from 1") << 1 << true << 2;
        QTest::newRow("next from 3 wraps to 1") << 3 << true << 1;
        QTest::newRow("previous from 1 wraps to 3") << 1 << false << 3;
        QTest::newRow("previous from 2") << 2 << false << 1;
    }
    void pagingWrapsAtBothEnds() {
        QFETCH(int, from);
        QFETCH(bool, forward);
        QFETCH(int, to);
        OpenOnThree(from);
        forward ? win->cmdNext_Click() : win->cmdLast_Click();
        const QStringList texts{"one", "two", "three"};
        QCOMPARE(win->lblIndex, QStringLiteral(" %1").arg(to));
        QCOMPARE(win->NoteTextValue(), texts[to - 1]);
        QCOMPARE(win->lblFileNamePath, tp->P->Shown(to).FilePath);
        QCOMPARE(win->lblMode, QStringLiteral("Single"));
        QList<bool> expected{false, false, false};
        expected[to - 1] = true;
        QCOMPARE(OpenMarks(), expected);
        QCOMPARE(tp->P->ShowRecord.Text, texts[to - 1]);
        QCOMPARE(win->txtNote->textCursor().position(), 0);
    }

    void steppingPlaysTheLeavingCloseSoundThenTheArrivingLoadSound() {
        OpenOnThree(1);
        win->cmdNext_Click(); // 1 -> 2
        QCOMPARE(tp->Sound.Played, QStringList({"/s/close1.wav", "/s/load2.wav"}));
        QCOMPARE(win->lblPlay, QStringLiteral("/s/button2.wav"));
        win->cmdSound_Click();
        win->cmdNext_Click(); // 2 -> 3: no close sound on 2, no load sound on 3
        win->cmdNext_Click(); // 3 -> 1
        QCOMPARE(tp->Sound.Played,
                 QStringList({"/s/close1.wav", "/s/load2.wav", "/s/button2.wav", "/s/close3.wav", "/s/load1.wav"}));
        win->cmdSound_Click(); // note 1 has no button sound: nothing is played
        QCOMPARE(tp->Sound.Played.size(), 5);
    }

    void pagingNeedsSingleModeAndTwoEntries_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("entries");
        QTest::newRow("cascade window") << QString() << 3;
        QTest::newRow("edit window") << QStringLiteral("Edit") << 3;
        QTest::newRow("only one entry") << QStringLiteral("Single") << 1;
    }
    void pagingNeedsSingleModeAndTwoEntries() {
        QFETCH(QString, mode);
        QFETCH(int, entries);
        for (int i = 1; i <= entries; ++i) Write(QStringLiteral("n%1.nte").arg(i), Note(QString::number(i)));
        Open(mode);
        Show(1, Note(QStringLiteral("1")));
        win->lblDAct = QStringLiteral("/s/close.wav");
        Move(win->cmdNext);
        QVERIFY(!win->cmdNext->Glyph());
        win->cmdNext_Click();
        win->cmdLast_Click();
        QCOMPARE(win->lblIndex, QStringLiteral(" 1"));
        QCOMPARE(win->NoteTextValue(), QStringLiteral("1"));
        QVERIFY(tp->Sound.Played.isEmpty());
        QVERIFY(tp->P->Shown(1).IsOpen);
    }

    void navigationButtonsShowOnHoverInASingleWindow() {
        OpenOnThree(2);
        Move(win->cmdLast);
        QVERIFY(win->NavButtonsShown);
        QCOMPARE(win->cmdNext->Glyph(), NoteGlyph::Next);
        QCOMPARE(win->cmdLast->Glyph(), NoteGlyph::Previous);
        QCOMPARE(win->cmdNext->toolTip(), QStringLiteral("Next Note"));
        QCOMPARE(win->cmdLast->toolTip(), QStringLiteral("Previous Note"));
        Move(win->txtNote->viewport());
        QVERIFY(!win->NavButtonsShown);
        QVERIFY(!win->cmdNext->Glyph());
    }

    void aVanishedOrDamagedFileShowsWhatCanBeReadAndWritesNothing() {
        OpenOnThree(1);
        const QString gone = tp->P->Shown(2).FilePath;
        QFile::remove(gone);
        // Entry 3 keeps its text, but the file ends inside the font fields.
        const QString damaged = tp->P->Shown(3).FilePath;
        const QByteArray whole = NoteFile::NoteBytes(Note(QStringLiteral("three")));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(whole.size() - 30));
        file.close();

        win->cmdNext_Click();
        QCOMPARE(win->lblIndex, QStringLiteral(" 2"));
        QCOMPARE(win->NoteTextValue(), QString());
        QVERIFY(!QFile::exists(gone));
        QCOMPARE(win->lblAct, QString());
        QVERIFY(win->isVisible());

        win->cmdNext_Click();
        QCOMPARE(win->NoteTextValue(), QStringLiteral("three"));
        QCOMPARE(QFileInfo(damaged).size(), whole.size() - 30);
        QCOMPARE(win->imgBack->BackColour(), 0x0080FFFFu); // readable, not black on black
        QCOMPARE(OpenMarks(), QList<bool>({false, false, true}));

        win->cmdNext_Click(); // and on to a good one
        QCOMPARE(win->NoteTextValue(), QStringLiteral("one"));
    }

    void steppingReplacesThePicture() {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString picturePath = notes + QStringLiteral("back.bmp");
        QVERIFY(picture.save(picturePath, "BMP"));
        NoteRecord stretched = Note(QStringLiteral("pic"));
        stretched.ImagePath = picturePath;
        stretched.ImageAlign = 2;
        Write(QStringLiteral("a.nte"), stretched);
        Write(QStringLiteral("b.nte"), Note(QStringLiteral("plain")));
        Open(QStringLiteral("Single"));
        Show(2, Note(QStringLiteral("plain")));
        win->cmdNext_Click();
        QVERIFY(win->imgBack->HasPicture());
        QCOMPARE(win->imgBack->PicturePlacement(), NoteBack::Stretched);
        win->cmdNext_Click();
        QVERIFY(!win->imgBack->HasPicture());
    }

    void editModeGivesEveryChangeBackWithCrLf() {
        Open(QStringLiteral("Edit"));
        win->txtNote->setReadOnly(false);
        const QString text = QStringLiteral("one\r\n\ttwo\r\n\r\nno\u00A0break\r\n");
        win->ApplyNote(Note(text));
        QCOMPARE(tp->P->EditRecord.Text, text); // byte for byte
        QTest::keyClick(win->txtNote, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(win->txtNote, QStringLiteral("x"));
        QCOMPARE(tp->P->EditRecord.Text, text + QStringLiteral("x"));
        QTest::keyClick(win->txtNote, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(win->txtNote, Qt::Key_Tab);
        QCOMPARE(tp->P->EditRecord.Text, text + QStringLiteral("x\r\n\t"));
    }

    void anOrdinaryNoteCannotBeTypedInto() {
        Open(QString());
        win->ApplyNote(Note(QStringLiteral("fixed")));
        tp->P->EditRecord.Text = QStringLiteral("untouched");
        QTest::keyClicks(win->txtNote, QStringLiteral("abc"));
        QTest::keyClick(win->txtNote, Qt::Key_Return);
        QCOMPARE(win->NoteTextValue(), QStringLiteral("fixed"));
        QCOMPARE(tp->P->EditRecord.Text, QStringLiteral("untouched"));
    }

    void pressingTheTextFillsTheCopyBuffersAndPopsUpTheMenu_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("editMenu");
        QTest::newRow("ordinary note") << QString() << false;
        QTest::newRow("editor's note") << QStringLiteral("Edit") << true;
    }
    void pressingTheTextFillsTheCopyBuffersAndPopsUpTheMenu() {
        QFETCH(QString, mode);
        QFETCH(bool, editMenu);
        Open(mode);
        win->ApplyNote(Note(QStringLiteral("first line\r\nsecond")));
        QTextCursor cursor = win->txtNote->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(14, QTextCursor::KeepAnchor); // "line", the break, "sec"
        win->txtNote->setTextCursor(cursor);
        frmStealth& host = tp->P->Stealth();

        PressText(win, Qt::RightButton);
        QCOMPARE(tp->P->CopyAllText, QStringLiteral("first line\r\nsecond"));
        QCOMPARE(tp->P->CopySelText, QStringLiteral("line\r\nsec"));
        QCOMPARE(host.mnuEdit.isVisible(), editMenu);
        QCOMPARE(host.mnuNorm.isVisible(), !editMenu);
        host.mnuEdit.close();
        host.mnuNorm.close();

        win->ApplyNote(Note(QStringLiteral("changed")));
        PressText(win, Qt::LeftButton);
        QCOMPARE(tp->P->CopyAllText, QStringLiteral("changed"));
        QCOMPARE(tp->P->CopySelText, QString());
        QVERIFY(!host.mnuEdit.isVisible() && !host.mnuNorm.isVisible());
    }

    void pasteGoesIntoTheEditorsNoteAtTheCaret() {
        Open(QStringLiteral("Edit"));
        win->txtNote->setReadOnly(false);
        tp->P->EditNote = win.data();
        win->ApplyNote(Note(QStringLiteral("keep THIS end")));
        QTextCursor cursor = win->txtNote->textCursor();
        cursor.setPosition(5);
        cursor.setPosition(9, QTextCursor::KeepAnchor);
        win->txtNote->setTextCursor(cursor);

        QGuiApplication::clipboard()->clear();
        tp->P->Stealth().mnuPaste_Click(); // nothing to paste
        QCOMPARE(tp->P->EditRecord.Text, QStringLiteral("keep THIS end"));

        QGuiApplication::clipboard()->setText(QStringLiteral("that\nline"));
        tp->P->Stealth().mnuPaste_Click();
        QCOMPARE(tp->P->EditRecord.Text, QStringLiteral("keep that\r\nline end"));
    }

    void closingAnyOtherWayMarksTheEntryAfterTheShutdownCheck() {
        OpenOnThree(3);
        tp->P->TrayActive = false;
        win->close();
        QCOMPARE(tp->Sound.Played, QStringList{"/s/close3.wav"});
        QCOMPARE(OpenMarks(), QList<bool>({false, false, false}));
        QCOMPARE(tp->ProcessEnd.Calls, 0); // the check in the unload still counted this window
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(win.isNull());
        QCOMPARE(tp->ProcessEnd.Calls, 1); // the terminate's check finds nothing left
    }

    void closingTheEditorsNoteLeavesTheShownNotesAlone() {
        OpenOnThree(2);
        win->lblMode = QStringLiteral("Edit");
        tp->P->EditorOpen = true;
        win->close();
        QCOMPARE(OpenMarks(), QList<bool>({false, true, false}));
    }

private:
    static void Move(QWidget* target) {
        const QPointF at(2, 2);
        QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
    }
};

QTEST_MAIN(tst_frmNotesPaging)
#include "tst_frmNotesPaging.moc"
