// The editor window's controls on a new note: the date lists, the sound and picture groups, the choosers,
// and what each shows in the note window.
#include "core/NoteFile.h"
#include "editor/EditFlow.h"
#include "editor/frmEditor.h"
#include "fakes/FakeServices.h"
#include "notes/NoteColours.h"
#include "notes/PictureLoader.h"
#include "notes/frmNotes.h"
#include "platform/StoredColour.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QtTest>

class tst_frmEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> tp;
    frmEditor* ed = nullptr;

    Program& P() { return **tp; }
    QString Touch(const QString& name, const QByteArray& content = {}) {
        QFile file(tp->ProgramFolder() + name);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(content);
        return file.fileName();
    }
    static QString Picture() { return QStringLiteral(PVL3_TEST_DATA "/pictures/test.bmp"); }
    QString SavedImagePath() {
        ed->cmkOK_Click();
        NoteRecord back;
        const QStringList files = QDir(P().Settings.NotesFolder).entryList({QStringLiteral("*.nte")});
        if (files.size() != 1 || !NoteFile::ReadNote(P().Settings.NotesFolder + files[0], back)) return "?";
        return back.ImagePath;
    }

private slots:
    void init() {
        tp = std::make_unique<TestProgram>();
        P().TrayActive = true;
        P().Settings.NotesFolder = tp->ProgramFolder() + QStringLiteral("Notes/");
        QDir().mkpath(P().Settings.NotesFolder);
        mdlEdit::StartNewEdit(P());
        ed = P().EditorWindow;
    }
    void cleanup() { tp.reset(); }

    void dayFollowsTheMonth_data() {
        QTest::addColumn<int>("yearIndex");
        QTest::addColumn<int>("februaryDays");
        QTest::newRow("2026") << 1 << 28;
        QTest::newRow("2028, a leap year") << 3 << 29;
    }
    void dayFollowsTheMonth() {
        QFETCH(int, yearIndex);
        QFETCH(int, februaryDays);
        QCOMPARE(ed->cboYS->count(), 11);
        QCOMPARE(ed->cboYS->itemText(0), QStringLiteral(" 2025"));
        ed->cboYS->setCurrentIndex(yearIndex);
        ed->cboMS->setCurrentIndex(0);
        ed->cboDS->setCurrentIndex(30);
        ed->cboMS->setCurrentIndex(1);
        QCOMPARE(ed->cboDS->count(), februaryDays);
        QCOMPARE(ed->cboDS->currentIndex(), februaryDays - 1);
        ed->cboMS->setCurrentIndex(2);
        QCOMPARE(ed->cboDS->count(), 31);
        QCOMPARE(ed->cboDS->itemText(0), QStringLiteral(" 1"));
        QCOMPARE(ed->FromDateNumber(), (2025 + yearIndex) * 10000 + 300 + februaryDays);
        QCOMPARE(ed->UntilDateNumber(), 20261205); // the other row is untouched
    }

    void soundPathTypedCharacterByCharacter() {
        const QString wave = Touch(QStringLiteral("a.wav"));
        QVERIFY(!ed->txtSoundA->isEnabled());
        ed->chkAct->setChecked(true);
        QVERIFY(ed->txtSoundA->isEnabled() && !ed->cmdPlayA->isEnabled());
        QTest::keyClicks(ed->txtSoundA, wave.chopped(1));
        QVERIFY(P().EditRecord.LoadSound.isEmpty());
        QTest::keyClicks(ed->txtSoundA, QStringLiteral("v"));
        QCOMPARE(P().EditRecord.LoadSound, wave);
        QCOMPARE(P().EditNote->lblAct, wave);
        QTest::keyClicks(ed->txtSoundA, QStringLiteral("x"));
        QVERIFY(!ed->cmdPlayA->isEnabled());
        QCOMPARE(P().EditRecord.LoadSound, wave);
        QTest::keyClick(ed->txtSoundA, Qt::Key_Backspace);
        ed->chkAct->setChecked(false); // off: path and browse go, play stays for the wave file
        QVERIFY(!ed->txtSoundA->isEnabled() && !ed->cmdBrowsSA->isEnabled() && ed->cmdPlayA->isEnabled());
    }

    void cancelledChooserEmptiesTheBox() {
        const QString wave = Touch(QStringLiteral("b.wav"));
        tp->Choosers.Files = {wave, Picture(), QString(), QString()};
        ed->chkPlay->setChecked(true);
        ed->cmdBrowsS_Click();
        ed->chkImages->setChecked(true);
        ed->cmdBrowse_Click();
        QVERIFY(ed->cmdPlay->isEnabled() && P().EditNote->imgBack->HasPicture() && ed->imgImage->HasPicture());
        ed->cmdBrowsS_Click();
        ed->cmdBrowse_Click();
        QCOMPARE(tp->Choosers.FileTitles,
                 (QStringList{"Choose the 'Play Sound' Button Sound. . .", "Choose a Background Image. . .",
                              "Choose the 'Play Sound' Button Sound. . .", "Choose a Background Image. . ."}));
        QCOMPARE(tp->Choosers.FileStarts.first(), tp->ProgramFolder());
        QVERIFY(ed->txtSound->text().isEmpty() && !ed->cmdPlay->isEnabled());
        QVERIFY(!P().EditNote->imgBack->HasPicture() && !ed->imgImage->HasPicture());
        QCOMPARE(P().EditRecord.ButtonSound, wave);
        QCOMPARE(P().EditRecord.ImagePath, Picture());
    }

    void uncheckedPictureBoxRemovesThePicture_data() {
        QTest::addColumn<bool>("keepChecked");
        QTest::newRow("unchecked") << false;
        QTest::newRow("checked") << true;
    }
    void uncheckedPictureBoxRemovesThePicture() {
        QFETCH(bool, keepChecked);
        ed->chkImages->setChecked(true);
        ed->txtImg->setText(Picture());
        ed->chkImages->setChecked(keepChecked);
        QVERIFY(P().EditNote->imgBack->HasPicture()); // still previewed until OK
        QCOMPARE(ed->txtImg->isEnabled(), keepChecked);
        QCOMPARE(SavedImagePath(), keepChecked ? Picture() : QString());
    }

    void undecodablePictureIsSaidInThePreview_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("module");
        QTest::newRow("not a picture") << "bad.jpg" << QByteArray("not a picture") << "pvl3_pictures";
        QFile metafile(QStringLiteral(PVL3_TEST_DATA "/pictures/shapes.wmf"));
        QVERIFY(metafile.open(QIODevice::ReadOnly));
        QTest::newRow("metafile, its module missing") << "shapes.wmf" << metafile.readAll() << "pvl3_no_such_module";
    }
    void undecodablePictureIsSaidInThePreview() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, module);
        PictureLoader::UseDecoderModule(module);
        const auto restore = qScopeGuard([] { PictureLoader::UseDecoderModule(QStringLiteral("pvl3_pictures")); });
        ed->chkImages->setChecked(true);
        ed->txtImg->setText(Touch(name, content));
        QVERIFY(tp->Questions.Messages.empty());
        QVERIFY(!ed->imgImage->Notice().isEmpty());
        QVERIFY(!P().EditNote->imgBack->HasPicture());
        QVERIFY(P().EditRecord.ImagePath.isEmpty());
        ed->txtImg->setText(Picture());
        QVERIFY(ed->imgImage->Notice().isEmpty());
        QVERIFY(P().EditNote->imgBack->HasPicture());
    }

    void fontChooserSetsFontAndColour() {
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(10.5);
        chosen.setItalic(true);
        tp->Choosers.Fonts = {FakeChoosers::FontChoice{chosen, 0x000000FF}};
        ed->cmdFont_Click();
        QCOMPARE(tp->Choosers.FontsHandedIn.at(0).family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(ed->lblFont->text(), QStringLiteral("DejaVu Serif"));
        const NoteRecord& r = P().EditRecord;
        QCOMPARE(r.FontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(r.FontSize, int16_t(10)); // halves to the even neighbour
        QCOMPARE(r.FontItalic, int16_t(-1));
        QCOMPARE(r.FontBold, int16_t(0));
        QCOMPARE(r.FontColour, 0x000000FFu);
        QCOMPARE(P().EditNote->txtNote->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(P().EditNote->txtNote->palette().color(QPalette::Text), QColor(255, 0, 0));
        ed->cmdFont_Click(); // cancelled: nothing changes
        QCOMPARE(P().EditRecord.FontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(P().EditRecord.FontColour, 0x000000FFu);
    }

    // The border shows live as well: "Raised" is in test_editor.sh. The colour chooser starts from what
    // the swatch shows, a system colour's too, which a cancel keeps.
    void liveLook() {
        ed->picBack->SetBackColour(0x80000005u); // the note's colour, as loaded
        tp->Choosers.Colours = {std::nullopt, 0x00336699u};
        ed->cmdBack_Click();
        QCOMPARE(tp->Choosers.ColoursHandedIn, std::vector{ToStored(NoteColours::ResolveColour(0x80000005u))});
        QCOMPARE(P().EditRecord.BackColour, 0x80000005u);
        ed->cmdBack_Click();
        ed->cboStyle->setCurrentIndex(4);
        ed->cboAlign->setCurrentIndex(2);
        QCOMPARE(P().EditNote->imgBack->BackColour(), 0x00336699u);
        QCOMPARE(P().EditNote->txtNote->Effect(), NoteFrame::Bump);
        QCOMPARE(ed->txtEG->Effect(), NoteFrame::Bump);
        QCOMPARE(P().EditNote->txtNote->TextAlignment(), Qt::AlignRight);
        QCOMPARE(P().EditRecord.BorderStyle, int16_t(4));
        QCOMPARE(P().EditRecord.TextAlign, int16_t(3));
        QCOMPARE(P().EditRecord.BackColour, 0x00336699u);
    }

    void minimisingTakesTheNoteAlong() {
        ed->showMinimized();
        QTRY_VERIFY(P().EditNote->isMinimized());
        ed->showNormal();
        QVERIFY(!P().EditNote->isMinimized()); // at once: this platform restores it by itself later
        P().EditNote->showMinimized();         // by its own button
        QTRY_VERIFY(P().EditNote->isMinimized());
        ed->resize(ed->size() + QSize(10, 10));
        QVERIFY(!P().EditNote->isMinimized());
    }
};

QTEST_MAIN(tst_frmEditor)
#include "tst_frmEditor.moc"
