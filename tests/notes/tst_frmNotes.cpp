// The note window: size, hover, close, drag, paging with its sounds, edit mode and the text menus.
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "fakes/FakeServices.h"
#include "notes/NoteColours.h"
#include "notes/NoteFrame.h"
#include "notes/frmNotes.h"
#include <QClipboard>
#include <QDir>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QtTest>

namespace {

NoteRecord Note(const QString& text) {
    NoteRecord note;
    note.Text = text;
    note.BackColour = 0x00C0FFFF;
    note.FontName = QStringLiteral("DejaVu Sans");
    note.FontSize = 11;
    return note;
}

void Send(QWidget* target, QEvent::Type type, QPointF local, Qt::MouseButton button = Qt::NoButton,
          Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}
void Move(QWidget* target, QPointF local = {3, 3}, Qt::MouseButtons buttons = Qt::NoButton) {
    Send(target, QEvent::MouseMove, local, Qt::NoButton, buttons);
}
void Press(QWidget* target, QPointF local, Qt::MouseButton button = Qt::LeftButton) {
    Send(target, QEvent::MouseButtonPress, local, button, button);
}

} // namespace

class tst_frmNotes : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> tp;
    QPointer<frmNotes> win;

    void Open(const QString& mode = QString()) {
        win = new frmNotes(**tp);
        win->Form_Load();
        win->lblMode = mode;
        win->ShowNote();
    }
    // Three note files listed as shown; the window shows entry `index` in "Single" mode, as a stack's would.
    void OpenOnThree(int index) {
        QList<NoteRecord> all{Note("one"), Note("two"), Note("three")};
        all[0].CloseSound = QStringLiteral("/s/close1.wav");
        all[0].LoadSound = QStringLiteral("/s/load1.wav");
        all[1].LoadSound = QStringLiteral("/s/load2.wav");
        const QString folder = tp->ProgramFolder() + QStringLiteral("Notes/");
        QDir().mkpath(folder);
        for (int i = 0; i < 3; ++i) {
            const QString path = folder + QStringLiteral("n%1.nte").arg(i + 1);
            QVERIFY(NoteFile::WriteNote(path, all[i]));
            tp->P->ShownNotes.push_back({path, i + 1 == index});
        }
        Open(QStringLiteral("Single"));
        win->ApplyNote(all[index - 1]);
        win->lblIndex = QStringLiteral(" %1").arg(index);
        win->lblFileNamePath = tp->P->Shown(index).FilePath;
        win->lblDAct = all[index - 1].CloseSound;
    }
    QList<bool> OpenMarks() const {
        QList<bool> marks;
        for (const ShownNote& entry : tp->P->ShownNotes) marks << entry.IsOpen;
        return marks;
    }

private slots:
    void init() { tp = std::make_unique<TestProgram>(); }
    void cleanup() {
        delete win.data();
        tp.reset();
        QGuiApplication::clipboard()->clear();
    }

    void placeNoteRaisesEachSideToAtLeast800Twips_data() {
        QTest::addColumn<QSize>("twips");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("exactly 800") << QSize(800, 800) << QSize(53, 53);
        QTest::newRow("narrow") << QSize(795, 2400) << QSize(53, 160);
        QTest::newRow("negative") << QSize(-3000, -1) << QSize(53, 53);
    }
    void placeNoteRaisesEachSideToAtLeast800Twips() {
        QFETCH(QSize, twips);
        QFETCH(QSize, pixels);
        Open();
        win->PlaceNote(1500, 750, twips.width(), twips.height());
        QCOMPARE(win->geometry(), QRect(QPoint(100, 50), pixels));
    }

    // Hover shows the caption buttons and moves the text down once; edit mode never shows them.
    void hoverOverTheCaptionButtons_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("ordinary") << QString();
        QTest::newRow("edit") << QStringLiteral("Edit");
    }
    void hoverOverTheCaptionButtons() {
        QFETCH(QString, mode);
        const bool shows = mode.isEmpty();
        Open(mode);
        const QRect normal = win->txtNote->geometry();
        for (ImageButton* button : {win->cmdC, win->cmdC, win->cmdM, win->cmdCtl, win->cmdMR}) Move(button);
        QCOMPARE(win->TopButtonsShown, shows);
        QCOMPARE(win->cmdC->Glyph(), shows ? std::optional(NoteGlyph::Close) : std::nullopt);
        QCOMPARE(win->txtNote->geometry(), shows ? normal.adjusted(0, 18, 0, 0) : normal);
        Move(win->txtNote->viewport(), QPointF(20, 40));
        Move(win->txtNote->viewport(), QPointF(21, 40));
        QVERIFY(!win->TopButtonsShown);
        QVERIFY(!win->cmdC->Glyph());
        QCOMPARE(win->txtNote->geometry(), normal);
    }

    void closeAsksOnlyWhenTheSettingSaysSo_data() {
        QTest::addColumn<int>("prompt");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("no question") << 0 << false << true;
        QTest::newRow("asked, yes") << 1 << true << true;
        QTest::newRow("asked, no") << 1 << false << false;
    }
    void closeAsksOnlyWhenTheSettingSaysSo() {
        QFETCH(int, prompt);
        QFETCH(bool, answer);
        QFETCH(bool, closes);
        tp->P->Settings.PromptCloseNote = static_cast<uint8_t>(prompt);
        tp->Questions.Answers.push_back(answer);
        Open();
        tp->P->ShownNotes.push_back({QStringLiteral("/nowhere/a.nte"), true});
        win->lblIndex = QStringLiteral(" 1");
        QTest::mouseClick(win->cmdC, Qt::LeftButton);
        QCOMPARE(tp->Questions.Questions.size(), size_t(prompt));
        if (prompt) QCOMPARE(tp->Questions.Questions[0].Title, "Are you sure you want to close this Note?");
        QCOMPARE(tp->P->Shown(1).IsOpen, !closes);
        // The last note closing ends the program.
        QCOMPARE(tp->ProcessEnd.Calls, closes ? 1 : 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(win.isNull(), closes);
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

    void pagingWrapsAtBothEnds_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("to");
        QTest::newRow("next from 1") << 1 << true << 2;
        QTest::newRow("next from 3 wraps to 1") << 3 << true << 1;
        QTest::newRow("previous from 1 wraps to 3") << 1 << false << 3;
    }
    void pagingWrapsAtBothEnds() {
        QFETCH(int, from);
        QFETCH(bool, forward);
        QFETCH(int, to);
        OpenOnThree(from);
        forward ? win->cmdNext_Click() : win->cmdLast_Click();
        QCOMPARE(win->lblIndex, QStringLiteral(" %1").arg(to));
        QCOMPARE(win->NoteTextValue(), QStringList({"one", "two", "three"})[to - 1]);
        QList<bool> expected{false, false, false};
        expected[to - 1] = true;
        QCOMPARE(OpenMarks(), expected);
    }

    // The second click of a double click is no click.
    void doubleClickOnNextStepsOnce() {
        OpenOnThree(1);
        QTest::mouseClick(win->cmdNext, Qt::LeftButton);   // press, release,
        QTest::mouseDClick(win->cmdNext, Qt::LeftButton);  // double click,
        QTest::mouseRelease(win->cmdNext, Qt::LeftButton); // release
        QCOMPARE(win->lblIndex, QStringLiteral(" 2"));
    }

    // A long note scrolls by the keys, with no bar under the invisible paging buttons.
    void longNoteScrollsWithoutABar() {
        OpenOnThree(1);
        win->ApplyNote(Note(QStringLiteral("line\r\n").repeated(60)));
        QVERIFY(!win->txtNote->verticalScrollBar()->isVisible());
        QTest::keyClick(win->txtNote, Qt::Key_End);
        QVERIFY(win->txtNote->verticalScrollBar()->value() > 0);
    }

    // Only a "Single" window pages; an ordinary note's text takes no typing and feeds nothing to the editor.
    void ordinaryWindowNeitherPagesNorTakesTyping() {
        OpenOnThree(2);
        win->lblMode = QString();
        win->cmdNext_Click();
        QCOMPARE(win->lblIndex, QStringLiteral(" 2"));
        QVERIFY(tp->Sound.Played.isEmpty());
        QTest::keyClicks(win->txtNote, QStringLiteral("x"));
        QCOMPARE(win->NoteTextValue(), QStringLiteral("two"));
        QCOMPARE(tp->P->EditRecord.Text, QString());
    }

    // Stepping plays the leaving note's close sound, then the arriving one's load sound. A file gone by then
    // shows an empty note, plays nothing and is not written back.
    void steppingSoundsAndAVanishedFile() {
        OpenOnThree(1);
        const QString gone = tp->P->Shown(3).FilePath;
        QVERIFY(QFile::remove(gone));
        win->cmdNext_Click(); // 1 -> 2
        win->cmdNext_Click(); // 2 -> 3: no close sound on 2, nothing to read on 3
        QCOMPARE(win->lblIndex, QStringLiteral(" 3"));
        QCOMPARE(win->NoteTextValue(), QString());
        QVERIFY(win->isVisible());
        QCOMPARE(OpenMarks(), QList<bool>({false, false, true}));
        win->cmdNext_Click(); // 3 -> 1
        QCOMPARE(win->NoteTextValue(), QStringLiteral("one"));
        QCOMPARE(tp->Sound.Played, QStringList({"/s/close1.wav", "/s/load2.wav", "/s/load1.wav"}));
        QVERIFY(!QFile::exists(gone));
    }

    // A note cut short in its last field shows all that was read before the cut.
    void steppingOntoACutNote() {
        OpenOnThree(1);
        const QString cut = tp->P->Shown(2).FilePath;
        const qint64 size = QFileInfo(cut).size() - 2;
        QVERIFY(QFile::resize(cut, size));
        win->cmdNext_Click();
        QCOMPARE(win->NoteTextValue(), QStringLiteral("two"));
        QCOMPARE(win->imgBack->BackColour(), Note(QString()).BackColour);
        QCOMPARE(QFileInfo(cut).size(), size); // left as it was
    }

    void editModeGivesEveryChangeBackWithCrLf() {
        Open(QStringLiteral("Edit"));
        win->txtNote->setReadOnly(false);
        const QString text = QStringLiteral("one\r\n\ttwo\r\n\r\nno\u00A0break\r\n");
        win->ApplyNote(Note(text));
        QCOMPARE(tp->P->EditRecord.Text, text); // byte for byte
        QTest::keyClick(win->txtNote, Qt::Key_End);
        QTest::keyClicks(win->txtNote, QStringLiteral("x"));
        QTest::keyClick(win->txtNote, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(tp->P->EditRecord.Text, text + QStringLiteral("x\r\n"));
    }

    // A press on the text fills the copy buffers, which the text menus put on the clipboard with this
    // platform's line breaks, while the buffers (and the note file) keep CR LF.
    void pressingTheTextFillsTheCopyBuffers() {
        Open();
        win->ApplyNote(Note(QStringLiteral("first line\r\nsecond")));
        QTextCursor cursor = win->txtNote->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(14, QTextCursor::KeepAnchor); // "line", the break, "sec"
        win->txtNote->setTextCursor(cursor);
        Press(win->txtNote->viewport(), QPointF(5, 5), Qt::RightButton);
        frmStealth& host = tp->P->Stealth();
        QVERIFY(host.mnuNorm.isVisible());
        host.mnuNorm.close();
        host.mnuCpySel_Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("line\nsec"));
        QCOMPARE(tp->P->CopySelText, QStringLiteral("line\r\nsec"));
        host.mnuCpyAll_Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("first line\nsecond"));
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
        QGuiApplication::clipboard()->setText(QStringLiteral("that\nline"));
        tp->P->Stealth().mnuPaste_Click();
        QCOMPARE(tp->P->EditRecord.Text, QStringLiteral("keep that\r\nline end"));
    }

    // A system colour is the desktop's, whatever colours the window showed before (as when paging).
    void systemColoursAfterAnotherNote() {
        Open();
        NoteRecord red = Note(QStringLiteral("red"));
        red.BackColour = red.FontColour = 0x000000FF;
        win->ApplyNote(red);
        NoteRecord system = Note(QStringLiteral("system"));
        system.BackColour = system.FontColour = 0x80000004; // the menu bar's colour
        win->ApplyNote(system);
        const QColor desktop = NoteColours::ResolveColour(0x80000004);
        QVERIFY(desktop != QColor(Qt::red));
        QCOMPARE(win->palette().color(QPalette::Window), desktop);
        QCOMPARE(win->txtNote->palette().color(QPalette::Text), desktop);
        QCOMPARE(win->imgBack->grab().toImage().pixelColor(20, 20), desktop);
    }

    void fiveEffectsLookDifferent() {
        QList<QImage> images;
        for (auto effect :
             {NoteFrame::Flat, NoteFrame::Raised, NoteFrame::Sunken, NoteFrame::Etched, NoteFrame::Bump}) {
            QImage image(20, 20, QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter p(&image);
                NoteFrame::DrawEffect(p, image.rect(), effect, QPalette(QColor(0xC0, 0xC0, 0xC0)));
            }
            for (const QImage& other : images) QVERIFY(other != image);
            images << image;
        }
    }
};

QTEST_MAIN(tst_frmNotes)
#include "tst_frmNotes.moc"
