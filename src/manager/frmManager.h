#pragma once
// "Pinvale 3: ManageNotes": the list of notes with their check marks, New / Edit / Delete / Now, and on
// three more pages every option of the program. The pages are built in ManagerLayout.cpp, the option
// handlers live in ManagerOptions.cpp.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <map>

class Program;
class QAction;
struct LaunchQuestion;
namespace NumberBox {
struct Bounds;
}

class frmManager : public QWidget {
    Q_OBJECT
public:
    explicit frmManager(Program& program);
    ~frmManager() override; // Form_Terminate

    void Form_Load();
    // A box typed into and not left yet is left: what the user sees is what gets saved.
    void FinishTyping();
    void FillOptions();

    // What others may read of the list: the selected line's note file (empty when none), the index of the
    // selected line (-1 when none) and the number of lines.
    QString SelectedFile() const;
    int SelectedIndex() const;
    int NoteCount() const;

    // Shows the tray button's face for TrayActive.
    void ShowTrayFace();

    QTabWidget* tabMgr;

    // "&List of Notes"
    QLabel* Label1;
    QComboBox* cboShow;
    QCheckBox* chkIE;
    QPushButton* cmdNow;
    QPushButton* cmdNew;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    QGroupBox* Frame1;
    QPushButton* cmdA;
    QPushButton* cmdF;
    QPushButton* cmdU;
    QPushButton* cmdN;
    QListWidget* lstNotes;

    // "&TrayNotes"
    QPushButton* cmdTrayActive;
    QGroupBox* fmeAt;
    std::array<QCheckBox*, 5> chkEnTime;
    std::array<QLineEdit*, 5> txtHr;
    std::array<QLabel*, 5> lblcolon;
    std::array<QLineEdit*, 5> txtMin;
    std::array<QComboBox*, 5> cboAMPM;
    QGroupBox* fmeEvery;
    QCheckBox* chkEnTimer;
    QLineEdit* txtHrs;
    QLabel* lblHrs;
    QLineEdit* txtMins;
    QLabel* lblMins;
    QGroupBox* fmeSNL;
    QCheckBox* chkOnSys;
    QCheckBox* chkOnProg;
    QGroupBox* fmeOpt;
    QCheckBox* chkSound;
    QLineEdit* txtSound;
    QToolButton* cmdPlayAlarm;
    QToolButton* cmdBrowsS;
    QCheckBox* chkAniIcon;

    // "&ShowNotes"
    QGroupBox* fmeDisLike;
    QRadioButton* optNeat;
    QRadioButton* optCascaded;
    QRadioButton* optMessy;
    QLabel* imgNote;
    QGroupBox* frmshus;
    QLineEdit* txtNoteDir;
    QToolButton* cmdChooseDir;
    QGroupBox* Frame4;
    QLabel* Label5;
    QComboBox* cboSWitch;
    QCheckBox* chkIfEn;
    QGroupBox* Frame2;
    QLineEdit* txtWidth;
    QLineEdit* txtHeight;

    // "&Propting"
    QGroupBox* Frame3;
    QCheckBox* chkTraySt;
    QCheckBox* chkApplyEd;
    QCheckBox* chkTrayLa;
    QCheckBox* chkCloseNote;
    QCheckBox* chkRemNote;
    QCheckBox* chkMultiTray;
    QLabel* lblPromptMsg;
    QPushButton* cmdAbout;

    // Held, never shown on their own: the arrangement previews (each drawn when first shown) and the
    // tray button's faces.
    QPixmap imgNote1, imgNote2, imgNote3;
    QIcon imgGo, imgStop;

public slots:
    // The list page.
    void lstNotes_ItemCheck(QListWidgetItem* item);
    void lstNotes_MouseDown(int button, const QPoint& globalPos);
    void cmdDelete_Click();
    void cmdNow_Click();
    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdTrayActive_Click();
    void cmdAbout_Click();

    // The option pages.
    void chkEnTime_Click(int Index);
    void txtHr_LostFocus(int Index);
    void txtMin_LostFocus(int Index);
    void cboAMPM_Click(int Index);
    void chkEnTimer_Click();
    void txtHrs_LostFocus();
    void txtMins_LostFocus();
    void chkOnSys_Click();
    void chkOnProg_Click();
    void chkSound_Click();
    void txtSound_Change();
    void txtSound_LostFocus();
    void cmdBrowsS_Click();
    void cmdPlayAlarm_Click();
    void chkAniIcon_Click();
    void optNeat_Click();
    void optCascaded_Click();
    void optMessy_Click();
    void txtNoteDir_Change();
    void txtNoteDir_LostFocus();
    void cmdChooseDir_Click();
    void cboSWitch_Click();
    void chkIfEn_Click();
    void txtWidth_LostFocus();
    void txtHeight_LostFocus();
    void PromptBox_Click(QCheckBox* box);
    void PromptBox_GotFocus(QCheckBox* box);

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildListPage();
    QWidget* BuildTrayPage();
    QWidget* BuildShowPage();
    QWidget* BuildPromptPage();
    QGroupBox* BuildAtRows();
    QGroupBox* BuildEvery();
    QGroupBox* BuildTrayOptions();
    void ConnectOptions();
    void OnLeave(QWidget* box, std::function<void()> handler);
    void OnCheck(QCheckBox* box, void (frmManager::*handler)());

    double CorrectBox(QLineEdit* box, const NumberBox::Bounds& bounds);
    void IntervalLeft(bool hoursBox);
    void LaunchOptionClick(QCheckBox* box, QAction* item, uint8_t& field, uint8_t prompt,
                           const LaunchQuestion& question);
    void ShowPreview(int arrangement);
    void EnableRow(int row);
    void EnableInterval();
    void EnableSound();
    int ScreenWidthPixels() const;
    int ScreenHeightPixels() const;

    Program& P;
    bool m_unloaded = false;
    // Set while code fills the controls: their value signals fire, and every handler then does nothing.
    bool m_filling = false;
    std::map<QObject*, std::function<void()>> m_leaveHandlers;
    std::map<QObject*, QString> m_helpTexts; // the prompt boxes' help lines
    std::map<QCheckBox*, uint8_t*> m_promptFields;
};

namespace mdlCommonFunc {
// Creates and loads the manager window (not shown yet) and holds it in the program.
frmManager& LoadManager(Program& P);
// Rebuilds the manager's lstNotes from the notes folder and selects line ListPos. Writes nothing.
void FillNoteList(Program& P);
// Deletes a note file; a file that cannot be deleted (already gone, no permission) is reported.
bool DeleteNoteOrTell(Program& P, const QString& path);
} // namespace mdlCommonFunc
