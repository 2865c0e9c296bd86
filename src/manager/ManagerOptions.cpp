// The option pages: filling them from the settings, and one handler per control that stores its value.
// Qt fires a control's value signal for code and user alike; while FillOptions (or Form_Load) fills,
// m_filling makes every handler do nothing, so filling asks nothing and stores nothing.
#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/TypeCheck.h"
#include "manager/ManagerPictures.h"
#include "manager/NumberBox.h"
#include "manager/frmChooseDir.h"
#include "manager/frmManager.h"
#include "tray/Schedule.h"
#include "tray/frmTray.h"
#include <QDir>
#include <QDirIterator>
#include <QScopedValueRollback>
#include <cstdio>

namespace {
void SetFlag(QCheckBox* box, uint8_t value) {
    box->setChecked(value == 1);
}
uint8_t Flag(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}
// An existing folder, given with its final separator, holding at least one file that is neither hidden
// nor a device, pipe or socket.
bool IsUsableNotesFolder(const QString& folder) {
    if (!folder.endsWith(QDir::separator()) || !QFileInfo(folder).isDir()) return false;
    return QDirIterator(folder, QDir::Files | QDir::NoDotAndDotDot).hasNext();
}
} // namespace

void frmManager::OnLeave(QWidget* box, std::function<void()> handler) {
    box->installEventFilter(this);
    m_leaveHandlers[box] = std::move(handler);
}

void frmManager::OnCheck(QCheckBox* box, void (frmManager::*handler)()) {
    connect(box, &QCheckBox::toggled, this, handler);
}

void frmManager::ConnectOptions() {
    for (int i = 0; i < 5; ++i) {
        connect(chkEnTime[i], &QCheckBox::toggled, this, [this, i] { chkEnTime_Click(i); });
        connect(cboAMPM[i], &QComboBox::currentIndexChanged, this, [this, i] { cboAMPM_Click(i); });
        OnLeave(txtHr[i], [this, i] { txtHr_LostFocus(i); });
        OnLeave(txtMin[i], [this, i] { txtMin_LostFocus(i); });
    }
    OnCheck(chkEnTimer, &frmManager::chkEnTimer_Click);
    OnLeave(txtHrs, [this] { txtHrs_LostFocus(); });
    OnLeave(txtMins, [this] { txtMins_LostFocus(); });
    OnCheck(chkOnSys, &frmManager::chkOnSys_Click);
    OnCheck(chkOnProg, &frmManager::chkOnProg_Click);
    OnCheck(chkSound, &frmManager::chkSound_Click);
    connect(txtSound, &QLineEdit::textChanged, this, &frmManager::txtSound_Change);
    OnLeave(txtSound, [this] { txtSound_LostFocus(); });
    connect(cmdBrowsS, &QToolButton::clicked, this, &frmManager::cmdBrowsS_Click);
    connect(cmdPlayAlarm, &QToolButton::clicked, this, &frmManager::cmdPlayAlarm_Click);
    OnCheck(chkAniIcon, &frmManager::chkAniIcon_Click);
    connect(optNeat, &QRadioButton::toggled, this, &frmManager::optNeat_Click);
    connect(optCascaded, &QRadioButton::toggled, this, &frmManager::optCascaded_Click);
    connect(optMessy, &QRadioButton::toggled, this, &frmManager::optMessy_Click);
    connect(txtNoteDir, &QLineEdit::textChanged, this, &frmManager::txtNoteDir_Change);
    OnLeave(txtNoteDir, [this] { txtNoteDir_LostFocus(); });
    connect(cmdChooseDir, &QToolButton::clicked, this, &frmManager::cmdChooseDir_Click);
    connect(cboSWitch, &QComboBox::currentIndexChanged, this, &frmManager::cboSWitch_Click);
    OnCheck(chkIfEn, &frmManager::chkIfEn_Click);
    OnLeave(txtWidth, [this] { txtWidth_LostFocus(); });
    OnLeave(txtHeight, [this] { txtHeight_LostFocus(); });

    SettingsRecord& s = P.Settings;
    m_promptFields = {{chkTraySt, &s.PromptNoTrayOnBoot}, {chkApplyEd, &s.PromptApplyEdit},
                      {chkTrayLa, &s.PromptNoShowOnTray}, {chkCloseNote, &s.PromptCloseNote},
                      {chkRemNote, &s.PromptDeleteNote},  {chkMultiTray, &s.PromptMultiCopies}};
    m_helpTexts = {
        {chkApplyEd,
         QStringLiteral("This will display a Yes/No confirmation prompt before applying edited changes to a "
                        "note.")},
        {chkCloseNote, QStringLiteral("This will display a Yes/No confirmation prompt before closing a note.")},
        {chkMultiTray,
         QStringLiteral("This will display a Yes/No confirmation prompt before loading multiple copies of "
                        "Pinvale 3.")},
        {chkRemNote,
         QStringLiteral("This will display a Yes/No confirmation prompt before permanently deleting a note.")},
        {chkTrayLa, QStringLiteral("This will display a Yes/No confirmation prompt before disabling ShowNotes launch "
                                   "when TrayNotes loads.")},
        {chkTraySt, QStringLiteral("This will display a Yes/No confirmation prompt before disabling TrayNotes "
                                   "auto-launch when the system boots.")}};
    for (const auto& [box, field] : m_promptFields) {
        connect(box, &QCheckBox::toggled, this, [this, box = box] { PromptBox_Click(box); });
        box->installEventFilter(this); // the help line follows the focus
    }
}

void frmManager::FillOptions() {
    const QScopedValueRollback filling(m_filling, true);
    const SettingsRecord& s = P.Settings;
    for (const auto& [box, field] : m_promptFields) SetFlag(box, *field);
    const int arrangement = s.Arrangement == 1 || s.Arrangement == 2 ? s.Arrangement : 0;
    (arrangement == 1 ? optCascaded : arrangement == 2 ? optMessy : optNeat)->setChecked(true);
    ShowPreview(arrangement);
    SetFlag(chkIfEn, s.TrayOnlyEnabled);
    txtNoteDir->setText(s.NotesFolder);
    txtHeight->setText(QString::number(s.NoteHeight));
    txtWidth->setText(QString::number(s.NoteWidth));
    cboSWitch->setCurrentIndex(s.TrayWhich);
    txtSound->setText(s.AlarmSound);
    SetFlag(chkSound, s.PlayAlarm);
    for (QWidget* w : std::initializer_list<QWidget*>{txtSound, cmdPlayAlarm, cmdBrowsS})
        w->setEnabled(chkSound->isChecked());
    SetFlag(chkAniIcon, s.AnimateIcon);
    SetFlag(chkOnProg, s.ShowOnTrayStart);
    SetFlag(chkOnSys, s.TrayOnSystemStart);
    txtMins->setText(QString::number(s.EveryMinutes));
    txtHrs->setText(QString::number(s.EveryHours));
    for (int i = 0; i < 5; ++i) {
        const AtTime& row = s.AtTimes[static_cast<size_t>(i)];
        cboAMPM[i]->setCurrentIndex(row.AmPm);
        txtHr[i]->setText(QString::number(row.Hour));
        txtMin[i]->setText(QString::number(row.Minute));
        SetFlag(chkEnTime[i], row.Enabled);
        EnableRow(i);
    }
    SetFlag(chkEnTimer, s.EveryEnabled);
    EnableInterval();
}

// The rows of times, and the interval ----------------------------------------------------------------

void frmManager::EnableRow(int row) {
    const bool on = chkEnTime[row]->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{txtHr[row], lblcolon[row], txtMin[row], cboAMPM[row]})
        w->setEnabled(on);
}

void frmManager::EnableInterval() {
    for (QWidget* w : std::initializer_list<QWidget*>{txtHrs, lblHrs, txtMins, lblMins})
        w->setEnabled(chkEnTimer->isChecked());
}

double frmManager::CorrectBox(QLineEdit* box, const NumberBox::Bounds& bounds) {
    const QString corrected = NumberBox::Corrected(box->text(), bounds);
    if (corrected != box->text()) box->setText(corrected);
    return NumberBox::WholeValue(corrected);
}

void frmManager::chkEnTime_Click(int Index) {
    if (m_filling) return;
    EnableRow(Index);
    P.Settings.AtTimes[static_cast<size_t>(Index)].Enabled = Flag(chkEnTime[Index]);
}

void frmManager::txtHr_LostFocus(int Index) {
    if (m_filling) return;
    const double value = CorrectBox(txtHr[Index], {12, QStringLiteral("12"), 1, QStringLiteral("1")});
    P.Settings.AtTimes[static_cast<size_t>(Index)].Hour = static_cast<uint8_t>(value);
}

void frmManager::txtMin_LostFocus(int Index) {
    if (m_filling) return;
    const double value = CorrectBox(txtMin[Index], {59, QStringLiteral("59"), 0, QStringLiteral("00")});
    P.Settings.AtTimes[static_cast<size_t>(Index)].Minute = static_cast<uint8_t>(value);
}

void frmManager::cboAMPM_Click(int Index) {
    if (m_filling || cboAMPM[Index]->currentIndex() < 0) return;
    P.Settings.AtTimes[static_cast<size_t>(Index)].AmPm = static_cast<uint8_t>(cboAMPM[Index]->currentIndex());
}

void frmManager::chkEnTimer_Click() {
    if (m_filling) return;
    EnableInterval();
    P.Settings.EveryEnabled = Flag(chkEnTimer);
}

void frmManager::IntervalLeft(bool hoursBox) {
    QLineEdit* box = hoursBox ? txtHrs : txtMins;
    CorrectBox(box, hoursBox ? NumberBox::Bounds{12, QStringLiteral("12"), 0, QStringLiteral("0")}
                             : NumberBox::Bounds{59, QStringLiteral("59"), 0, QStringLiteral("0")});
    // Never a zero interval.
    const bool minuteSet = NumberBox::WholeValue(txtHrs->text()) == 0 && NumberBox::WholeValue(txtMins->text()) == 0;
    if (minuteSet) txtMins->setText(QStringLiteral("1"));
    const auto rounded = [](const QLineEdit* b) {
        return static_cast<uint8_t>(NumberBox::RoundHalfEven(NumberBox::LeadingNumber(b->text())));
    };
    if (hoursBox) {
        P.Settings.EveryHours = rounded(txtHrs);
        if (minuteSet) P.Settings.EveryMinutes = 1;
    } else {
        P.Settings.EveryMinutes = rounded(txtMins);
    }
    mdlCommonFunc::ComputeNextShow(P); // the interval counts from now
}

void frmManager::txtHrs_LostFocus() {
    if (!m_filling) IntervalLeft(true);
}

void frmManager::txtMins_LostFocus() {
    if (!m_filling) IntervalLeft(false);
}

// Launch options, sound, arrangement ------------------------------------------------------------------

void frmManager::LaunchOptionClick(QCheckBox* box, QAction* item, uint8_t& field, uint8_t prompt,
                                   const LaunchQuestion& question) {
    if (m_filling) return;
    field = Flag(box);
    if (field == 0 && prompt == 1 && !P.S.Questions.AskYesNo(question.Title, question.Text)) {
        field = 1;
        const QScopedValueRollback filling(m_filling, true); // back on, without a second question
        box->setChecked(true);
    }
    item->setChecked(field == 1);
}

void frmManager::chkOnSys_Click() {
    LaunchOptionClick(chkOnSys, P.Stealth().mnuTonSys, P.Settings.TrayOnSystemStart, P.Settings.PromptNoTrayOnBoot,
                      LaunchQuestion::TrayOnBoot());
}

void frmManager::chkOnProg_Click() {
    LaunchOptionClick(chkOnProg, P.Stealth().mnuShow, P.Settings.ShowOnTrayStart, P.Settings.PromptNoShowOnTray,
                      LaunchQuestion::ShowOnTray());
}

void frmManager::chkSound_Click() {
    if (m_filling) return;
    for (QWidget* w : std::initializer_list<QWidget*>{txtSound, cmdPlayAlarm, cmdBrowsS})
        w->setEnabled(chkSound->isChecked());
    P.Settings.PlayAlarm = Flag(chkSound);
    if (!TypeCheck::IsWaveFile(txtSound->text())) cmdPlayAlarm->setEnabled(false);
}

void frmManager::txtSound_Change() {
    if (m_filling) return;
    cmdPlayAlarm->setEnabled(TypeCheck::IsWaveFile(txtSound->text()));
    P.Settings.AlarmSound = txtSound->text();
}

void frmManager::txtSound_LostFocus() {
    if (m_filling) return;
    if (!TypeCheck::IsWaveFile(txtSound->text())) txtSound->setText(P.ProgramFolder + QStringLiteral("Alarm.wav"));
    P.Settings.AlarmSound = txtSound->text();
}

void frmManager::cmdBrowsS_Click() {
    txtSound->setText(P.S.Choosers.OpenFile(QStringLiteral("Choose Alarm. . ."),
                                            QStringLiteral("WAVE file (*.wav) |*.wav|"), P.ProgramFolder));
}

void frmManager::cmdPlayAlarm_Click() {
    mdlSound::PlayWave(P.S.Sound, txtSound->text());
}

void frmManager::chkAniIcon_Click() {
    if (m_filling) return;
    P.Settings.AnimateIcon = Flag(chkAniIcon);
    if (P.TrayWindow) P.TrayWindow->AnimationChanged(); // a still tray sleeps till the minute: wake it now
}

// Each preview is drawn the first time it is shown: most starts show one of the three, or none.
void frmManager::ShowPreview(int arrangement) {
    using ManagerPictures::Picture;
    const auto [preview, picture] = arrangement == 1   ? std::pair{&imgNote2, Picture::Cascade}
                                    : arrangement == 2 ? std::pair{&imgNote3, Picture::Scatter}
                                                       : std::pair{&imgNote1, Picture::Stack};
    if (preview->isNull()) *preview = ManagerPictures::Pixmap(picture, devicePixelRatioF());
    imgNote->setPixmap(*preview);
}

void frmManager::optNeat_Click() {
    if (m_filling || !optNeat->isChecked()) return;
    ShowPreview(0);
    P.Settings.Arrangement = 0;
}

void frmManager::optCascaded_Click() {
    if (m_filling || !optCascaded->isChecked()) return;
    ShowPreview(1);
    P.Settings.Arrangement = 1;
}

void frmManager::optMessy_Click() {
    if (m_filling || !optMessy->isChecked()) return;
    ShowPreview(2);
    P.Settings.Arrangement = 2;
}

// Notes folder, tray selection, note size, prompts -----------------------------------------------------

void frmManager::txtNoteDir_Change() {
    if (!m_filling) P.Settings.NotesFolder = txtNoteDir->text();
}

void frmManager::txtNoteDir_LostFocus() {
    if (m_filling) return;
    if (!IsUsableNotesFolder(txtNoteDir->text())) {
        const QString fallback = P.ProgramFolder + QStringLiteral("Notes") + QDir::separator();
        if (!QDir().mkpath(fallback)) {
            const QString failed = QStringLiteral("The notes folder \"%1\" could not be created. Choose a folder "
                                                  "you may write to under \"Notes Directory\".")
                                       .arg(fallback);
            if (P.SessionEnding) // nobody is there to answer
                std::fprintf(stderr, "pinvale3: %s\n", qPrintable(failed));
            else
                P.S.Questions.Message(QStringLiteral("Pinvale 3"), failed, MessageIcon::Exclamation);
        }
        txtNoteDir->setText(fallback);
    }
    P.Settings.NotesFolder = txtNoteDir->text();
    P.Stealth().flbNotes.SetPath(P.Settings.NotesFolder);
}

void frmManager::cmdChooseDir_Click() {
    frmChooseDir::ShowChooser(P);
}

void frmManager::cboSWitch_Click() {
    if (!m_filling && cboSWitch->currentIndex() >= 0)
        P.Settings.TrayWhich = static_cast<uint8_t>(cboSWitch->currentIndex());
}

void frmManager::chkIfEn_Click() {
    if (!m_filling) P.Settings.TrayOnlyEnabled = Flag(chkIfEn);
}

int frmManager::ScreenWidthPixels() const {
    return P.S.Screen.WidthTwips() / P.S.Screen.TwipsPerPixelX();
}

int frmManager::ScreenHeightPixels() const {
    return P.S.Screen.HeightTwips() / P.S.Screen.TwipsPerPixelY();
}

void frmManager::txtWidth_LostFocus() {
    if (m_filling) return;
    const int width = ScreenWidthPixels();
    P.Settings.NoteWidth =
        static_cast<int16_t>(CorrectBox(txtWidth, {double(width), QString::number(width), 0, QStringLiteral("0")}));
}

void frmManager::txtHeight_LostFocus() {
    if (m_filling) return;
    const int height = ScreenHeightPixels();
    P.Settings.NoteHeight =
        static_cast<int16_t>(CorrectBox(txtHeight, {double(height), QString::number(height), 0, QStringLiteral("0")}));
}

void frmManager::PromptBox_Click(QCheckBox* box) {
    if (!m_filling) *m_promptFields.at(box) = Flag(box);
}

void frmManager::PromptBox_GotFocus(QCheckBox* box) {
    lblPromptMsg->setText(m_helpTexts.at(box));
}
