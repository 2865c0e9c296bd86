// Starting, saving and cancelling an edit: the note file written, the windows opened and closed, failures.
#include "core/FileIO.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "editor/EditFlow.h"
#include "editor/frmEditor.h"
#include "fakes/FakeServices.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class tst_EditFlow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> tp;

    Program& P() { return **tp; }
    QString Notes() const { return tp->ProgramFolder() + QStringLiteral("Notes/"); }
    QString Write(const QString& name, const NoteRecord& note) {
        const QString path = Notes() + name;
        if (!NoteFile::WriteNote(path, note)) return {};
        return path;
    }
    QStringList NoteFiles() const { return QDir(Notes()).entryList({QStringLiteral("*.nte")}, QDir::Files); }
    static int NoteWindows() {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<frmNotes*>(window) && !window->isHidden()) ++count;
        return count;
    }
    void TypeText(const QString& text) {
        NoteText* box = P().EditNote->txtNote;
        box->selectAll();
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, lines[i]);
        }
    }

private slots:
    void init() {
        tp = std::make_unique<TestProgram>();
        P().TrayActive = true; // keeps the program running when the edit ends
        P().Settings.NotesFolder = Notes();
        QDir().mkpath(Notes());
    }
    void cleanup() { tp.reset(); }

    void startsWhileAnEditIsOpen_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("caption");
        QTest::newRow("new") << 0 << QStringLiteral("&OK");
        QTest::newRow("edit from the manager's button") << 1 << QStringLiteral("&Apply");
        QTest::newRow("edit from the list menu") << 2 << QStringLiteral("&OK");
    }
    void startsWhileAnEditIsOpen() {
        QFETCH(int, start);
        QFETCH(QString, caption);
        const QString path = Write(QStringLiteral("a.nte"), NoteFile::NewNoteRecord("a", 20260101, 20261231));
        const auto Start = [&](int which) {
            which == 0 ? mdlEdit::StartNewEdit(P()) : mdlEdit::StartExistingEdit(P(), path, which == 1);
        };
        Start(start);
        QPointer<frmEditor> first = P().EditorWindow.data();
        QCOMPARE(first->cmkOK->text(), caption);
        for (int other = 0; other < 3; ++other) Start(other);
        QCOMPARE(P().EditorWindow.data(), first.data());
        QCOMPARE(NoteWindows(), 1);
        QCOMPARE(first->cmkOK->text(), caption);
        first->cmdCancel_Click();
        QVERIFY(!P().EditorOpen);
        mdlEdit::StartNewEdit(P()); // after the edit ends a new one opens
        QVERIFY(P().EditorWindow && P().EditorWindow != first);
        QTRY_VERIFY(!first); // the old editor's deletion leaves the new edit open
        QVERIFY(P().EditorOpen);
    }

    void newNoteSavedUntouched() {
        const QString path = mdlCommonFunc::NoteFileName(Notes(), QString());
        mdlEdit::StartNewEdit(P());
        QVERIFY(P().EditNote->isVisible() && P().EditorWindow->isVisible());
        QVERIFY(!P().EditNote->txtNote->isReadOnly() && P().EditNote->cmdC->isHidden());
        P().EditorWindow->cmkOK_Click();
        NoteRecord expected; // the defaults, field by field
        expected.Version = 3.0;
        expected.Enabled = 1;
        expected.ShowFrom = expected.ShowUntil = 20261205;
        expected.BackColour = 0x0080FFFF;
        expected.FontName = QStringLiteral("MS Sans Serif");
        expected.FontSize = 8;
        expected.FontColour = 0x80000012;
        expected.TextAlign = 1;
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), NoteFile::NoteBytes(expected));
        QCOMPARE(NoteFiles().size(), 1);
        QVERIFY(!P().EditorOpen);
        QTRY_VERIFY(!P().EditorWindow && !P().EditNote);
    }

    void editWritesTheOldFile_data() {
        QTest::addColumn<QString>("newText");
        QTest::newRow("first line changed") << QStringLiteral("beta\r\nsecond");
        QTest::newRow("shorter text") << QStringLiteral("x");
    }
    void editWritesTheOldFile() {
        QFETCH(QString, newText);
        NoteRecord old = NoteFile::NewNoteRecord(QStringLiteral("alpha and a long first line"), 20240310, 20270101);
        old.LoadSound = QStringLiteral("/gone/load.wav"); // not a file: kept as stored
        old.BorderStyle = 4;
        const QString path = Write(QStringLiteral("alpha.nte"), old);
        const qint64 oldSize = QFileInfo(path).size();
        mdlEdit::StartExistingEdit(P(), path, false);
        frmEditor& ed = *P().EditorWindow;
        QCOMPARE(ed.cboYS->currentIndex(), 0); // two years back shows as the first year
        QCOMPARE(ed.cboStyle->currentIndex(), 4);
        QCOMPARE(P().EditNote->txtNote->Effect(), NoteFrame::Bump);
        TypeText(QString(newText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        ed.cmkOK_Click();
        QCOMPARE(NoteFiles(), QStringList{QStringLiteral("alpha.nte")});
        QCOMPARE(QFileInfo(path).size(), oldSize);
        NoteRecord back;
        QVERIFY(NoteFile::ReadNote(path, back));
        NoteRecord expected = old;
        expected.Text = newText;
        expected.ShowFrom = 20250310; // written back as the year shown
        QCOMPARE(back, expected);
    }

    void managerListRebuiltAfterOk() {
        mdlCommonFunc::LoadManager(P());
        QCOMPARE(P().ManagerWindow->lstNotes->count(), 0);
        mdlEdit::StartNewEdit(P());
        TypeText(QStringLiteral("Milk"));
        P().EditorWindow->cmkOK_Click();
        QCOMPARE(P().ManagerWindow->lstNotes->count(), 1);
        QVERIFY(P().ManagerWindow->lstNotes->item(0)->text().endsWith(Notes() + QStringLiteral("Milk.nte")));
    }

    void okAnsweredNoWritesNothing() {
        P().Settings.PromptApplyEdit = 1;
        tp->Questions.Answers = {false};
        mdlEdit::StartNewEdit(P());
        P().EditorWindow->cmkOK_Click();
        QCOMPARE(tp->Questions.Questions.size(), size_t(1));
        QCOMPARE(tp->Questions.Questions[0].Title, QStringLiteral("Apply the changes to the Note?"));
        QVERIFY(NoteFiles().isEmpty());
        QVERIFY(P().EditorOpen && P().EditorWindow->isVisible() && P().EditNote->isVisible());
    }

    // A failed save keeps the edit, with everything in it: a sound box unticked for that OK and ticked
    // again still has its sound when the next OK writes the note.
    void readOnlyTargetKeepsTheEditOpen() {
        NoteRecord note = NoteFile::NewNoteRecord("keep", 20260101, 20261231);
        note.ButtonSound = QStringLiteral("/s/button.wav");
        const QString path = Write(QStringLiteral("ro.nte"), note);
        QByteArray before;
        QVERIFY(FileIO::ReadWhole(path, before));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        mdlEdit::StartExistingEdit(P(), path, true);
        TypeText(QStringLiteral("changed"));
        P().EditorWindow->chkPlay->setChecked(false);
        P().EditorWindow->cmkOK_Click();
        QCOMPARE(tp->Questions.Messages.size(), size_t(1));
        QVERIFY(tp->Questions.Messages[0].Text.contains(QStringLiteral("read-only")));
        QVERIFY(P().EditorOpen && P().EditorWindow->isVisible());
        QByteArray after;
        QVERIFY(FileIO::ReadWhole(path, after));
        QCOMPARE(after, before);
        P().EditorWindow->chkPlay->setChecked(true);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        P().EditorWindow->cmkOK_Click();
        NoteRecord saved;
        QVERIFY(NoteFile::ReadNote(path, saved));
        QCOMPARE(saved.Text, QStringLiteral("changed"));
        QCOMPARE(saved.ButtonSound, QStringLiteral("/s/button.wav"));
    }

    void unreadableNoteOpensNoEditor() {
        QFile damaged(Notes() + QStringLiteral("bad.nte"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(12, '\xff'));
        damaged.close();
        mdlEdit::StartExistingEdit(P(), damaged.fileName(), true);
        QCOMPARE(tp->Questions.Messages.size(), size_t(1));
        QVERIFY(!P().EditorOpen && !P().EditorWindow && !P().EditNote);
    }

    // Every way out of an edit closes the note window with its close sound; only OK writes the file.
    void endings_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Cancel") << "Cancel" << false;
        QTest::newRow("window closed") << "close" << false;
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("Enter on Cancel") << "Enter on Cancel" << false;
        QTest::newRow("Enter in a list") << "Enter in a list" << true;
        QTest::newRow("Escape in the note window") << "Escape in the note" << false;
        QTest::newRow("Alt+O in the note window") << "Alt+O in the note" << true;
    }
    void endings() {
        QFETCH(QString, how);
        QFETCH(bool, saved);
        NoteRecord note = NoteFile::NewNoteRecord("a", 20260101, 20261231);
        note.CloseSound = QStringLiteral("/s/close.wav");
        const QString path = Write(QStringLiteral("a.nte"), note);
        mdlEdit::StartExistingEdit(P(), path, false);
        TypeText(QStringLiteral("changed"));
        frmEditor* ed = P().EditorWindow;
        const bool inNote = how.endsWith("in the note"); // where the keyboard starts
        QWidget* window = inNote ? static_cast<QWidget*>(P().EditNote) : ed;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QWidget* target = inNote                     ? P().EditNote->txtNote
                          : how == "Enter on Cancel" ? static_cast<QWidget*>(ed->cmdCancel)
                                                     : ed->cboAlign;
        target->setFocus();
        if (how == "Cancel") ed->cmdCancel_Click();
        if (how == "close") ed->close();
        if (how.startsWith("Escape")) QTest::keyClick(target, Qt::Key_Escape);
        if (how.startsWith("Alt+O")) QTest::keyClick(target, Qt::Key_O, Qt::AltModifier);
        if (how.startsWith("Enter")) QTest::keyClick(target, Qt::Key_Return);
        QVERIFY(!P().EditorOpen && !P().EditNoteLoading);
        QCOMPARE(tp->Sound.Played, QStringList{QStringLiteral("/s/close.wav")});
        QTRY_VERIFY(!P().EditNote);
        NoteRecord back;
        QVERIFY(NoteFile::ReadNote(path, back));
        QCOMPARE(back.Text, saved ? QStringLiteral("changed") : QStringLiteral("a"));
    }

    void sharedAccessLetters() {
        mdlEdit::StartNewEdit(P());
        frmEditor* ed = P().EditorWindow;
        ed->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ed));
        ed->tabEdit->setCurrentIndex(2);
        QTest::keyClick(ed, Qt::Key_B, Qt::AltModifier);
        QCOMPARE(ed->tabEdit->currentIndex(), 2);
        QCOMPARE(ed->focusWidget(), ed->cboStyle);
        ed->tabEdit->setCurrentIndex(1);
        for (int press = 0; press < 3; ++press) QTest::keyClick(ed, Qt::Key_C, Qt::AltModifier);
        QVERIFY(P().EditorOpen);
    }

    void windowsSideBySideOnTheMouseScreen_data() {
        QTest::addColumn<QRect>("area");
        QTest::newRow("second screen") << QRect(1920 * 15, 100 * 15, 1280 * 15, 900 * 15);
        QTest::newRow("small screen") << QRect(0, 0, 560 * 15, 420 * 15);
    }
    void windowsSideBySideOnTheMouseScreen() {
        QFETCH(QRect, area);
        tp->Screen.Area = area;
        mdlEdit::StartNewEdit(P());
        const QRect pixels(area.x() / 15, area.y() / 15, area.width() / 15, area.height() / 15);
        const QRect note = P().EditNote->geometry();
        const QRect editor = P().EditorWindow->frameGeometry();
        QVERIFY2(pixels.contains(note), qPrintable(QDebug::toString(note)));
        QVERIFY2(pixels.contains(editor), qPrintable(QDebug::toString(editor)));
        if (pixels.width() >= note.width() + 8 + editor.width()) {
            QCOMPARE(editor.x(), note.right() + 1 + 8);
            QCOMPARE(editor.y(), note.y());
        }
    }
};

QTEST_MAIN(tst_EditFlow)
#include "tst_EditFlow.moc"
