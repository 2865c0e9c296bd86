#pragma once
// "Pinvale: EditNotes": every property of the note being edited except its text, which is typed into the
// edit's note window beside it. Each control changes that window at once and, for most, EditRecord; the
// dates are read from the lists on OK.
#include "core/mdlStructures.h"
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

class Program;
class NoteBack;
class NoteText;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

class frmEditor : public QWidget {
    Q_OBJECT
public:
    explicit frmEditor(Program& program);
    ~frmEditor() override; // Form_Terminate

    void Form_Load();
    // Fills every control from EditRecord (a note read from its file, or a new note's defaults); the
    // controls' handlers apply it to the note window.
    void ShowRecord(const NoteRecord& note);

    int32_t FromDateNumber() const;
    int32_t UntilDateNumber() const;

    // Controls, by name.
    QTabWidget* tabEdit;
    QPushButton* cmkOK;
    QPushButton* cmdCancel;
    QGroupBox* fmeFont;
    QToolButton* cmdFont;
    QLabel* lblFont;
    QLabel* lblAlign;
    QComboBox* cboAlign;
    QGroupBox* fmeShowWhen;
    QLabel* lblSF;
    QLabel* lblSU;
    QComboBox* cboMS;
    QComboBox* cboDS;
    QComboBox* cboYS;
    QComboBox* cboMF;
    QComboBox* cboDF;
    QComboBox* cboYF;
    QCheckBox* chkEnabled;
    QGroupBox* fmeBack;
    NoteBack* picBack;
    QToolButton* cmdBack;
    QGroupBox* fmeGraphic;
    QCheckBox* chkImages;
    QLabel* lblImage;
    QLineEdit* txtImg;
    QToolButton* cmdBrowse;
    QLabel* lblAL;
    QComboBox* cboImgAl;
    NoteBack* imgImage;
    QGroupBox* fmeSound;
    QCheckBox* chkAct;
    QToolButton* cmdPlayA;
    QLineEdit* txtSoundA;
    QToolButton* cmdBrowsSA;
    QCheckBox* chkDeAct;
    QToolButton* cmdPlayD;
    QLineEdit* txtSoundD;
    QToolButton* cmdBrowsSD;
    QCheckBox* chkPlay;
    QToolButton* cmdPlay;
    QLineEdit* txtSound;
    QToolButton* cmdBrowsS;
    QGroupBox* Frame1;
    QComboBox* cboStyle;
    NoteText* txtEG;

    // lblFont's colour as a note stores it: a system colour stays a reference.
    uint32_t lblFontColour = 0;
    // The edited note's file, as in the note window's lblFileNamePath; empty for a new note.
    QString EditPath;

public slots:
    void cboAlign_Click();
    void cboImgAl_Click();
    void cboStyle_Click();
    void cboMS_Click();
    void cboMF_Click();
    void chkEnabled_Click();
    void chkImages_Click();
    void chkAct_Click();
    void chkDeAct_Click();
    void chkPlay_Click();
    void cmdFont_Click();
    void cmdBack_Click();
    void picBack_Click();
    void cmdBrowse_Click();
    void cmdBrowsS_Click();
    void cmdBrowsSA_Click();
    void cmdBrowsSD_Click();
    void cmdPlay_Click();
    void cmdPlayA_Click();
    void cmdPlayD_Click();
    void txtImg_Change();
    void txtSound_Change();
    void txtSoundA_Change();
    void txtSoundD_Change();
    void cmkOK_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent* event) override;   // Form_Unload
    void changeEvent(QEvent* event) override;       // Form_Resize: minimised or restored
    void resizeEvent(QResizeEvent* event) override; // Form_Resize: any other size
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One row of the sound page: its check box, play button, path box, browse button, the note window's
    // label and the record's field.
    struct SoundRow {
        QCheckBox* Check;
        QToolButton* Play;
        QLineEdit* Path;
        QToolButton* Browse;
        QString Title;
        QString NoteRecord::*Field;
        int LabelIndex; // 0 lblAct, 1 lblDAct, 2 lblPlay
    };

    void BuildControls();
    QWidget* BuildDatesPage();
    QWidget* BuildBackgroundPage();
    QWidget* BuildSoundsPage();
    void BuildSoundRows();
    void ConnectHandlers();

    void FillDateLists();
    void RefillDays(QComboBox* days, const QComboBox* months, const QComboBox* years);
    void ShowDate(int32_t date, QComboBox* years, QComboBox* months, QComboBox* days);
    static int32_t DateNumber(int32_t currentYear, const QComboBox* years, const QComboBox* months,
                              const QComboBox* days);
    int32_t CurrentYear() const;

    void SetLabelFont(const QFont& font, uint32_t colour);
    void FontToRecord();
    void SetBackColour(uint32_t colour);
    void ShowPicture(const QImage& picture);

    void SoundCheck(SoundRow& row);
    void SoundPath(SoundRow& row);
    void BrowseSound(SoundRow& row);
    void ClearUncheckedPaths();
    bool SaveNote();

    Program& P;
    std::array<SoundRow, 3> m_sounds{}; // chkAct, chkDeAct, chkPlay
    bool m_unloaded = false;
};
