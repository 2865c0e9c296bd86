// The manager's four pages: controls, captions, tool tips and mnemonics, in reading (and tab) order.
#include "manager/ManagerPictures.h"
#include "manager/frmManager.h"
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setToolTip(tip);
    return button;
}

QToolButton* PictureButton(ManagerPictures::Picture picture, const QString& tip) {
    auto* button = new QToolButton;
    button->setFocusPolicy(Qt::StrongFocus); // a click leaves the box before it, as on every button
    button->setIcon(ManagerPictures::Icon(picture));
    button->setIconSize(ManagerPictures::LogicalSize(picture));
    button->setToolTip(tip);
    return button;
}

// A box for a number of up to a few digits, wide enough for "12.5" at any font size.
QLineEdit* NumberEdit() {
    auto* box = new QLineEdit;
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return box;
}

} // namespace

void frmManager::BuildListPage() {
    auto* page = new QWidget;
    Label1 = new QLabel(QStringLiteral("Show: "));
    cboShow = new QComboBox;
    cboShow->addItems({QStringLiteral("Selected Note"), QStringLiteral("Today's Notes"), QStringLiteral("All Notes")});
    cboShow->setToolTip(QStringLiteral("Show Which Notes?"));
    chkIE = new QCheckBox(QStringLiteral("If Enabled"));
    chkIE->setToolTip(QStringLiteral("Show Them Only if Enabled?"));
    cmdNow = Button(QStringLiteral("N&ow!"), QStringLiteral("Show the Notes Now!"));
    auto* showRow = new QHBoxLayout;
    showRow->addWidget(Label1);
    showRow->addWidget(cboShow);
    showRow->addWidget(chkIE);
    showRow->addStretch();
    showRow->addWidget(cmdNow);

    Frame1 = new QGroupBox(QStringLiteral("List of Notes: "));
    lstNotes = new QListWidget;
    lstNotes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstNotes->setUniformItemSizes(true); // thousands of lines stay quick to fill and scroll
    lstNotes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const QFontMetrics fixed(lstNotes->font());
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth) + 8;
    lstNotes->setMinimumSize(indicator + fixed.horizontalAdvance(QString(64, u'M')), fixed.height() * 14);
    // The header buttons sit over the columns of the lines: check box, From, Until, the text.
    cmdA = Button(QString(), QStringLiteral("About. . ."));
    cmdF = Button(QStringLiteral("From:"), QStringLiteral("Show the Note From"));
    cmdU = Button(QStringLiteral("Until:"), QStringLiteral("Show the Note Until"));
    cmdN = Button(QStringLiteral("Note:"), QStringLiteral("The Note"));
    cmdA->setFixedWidth(indicator);
    cmdF->setFixedWidth(fixed.horizontalAdvance(QString(9, u'0')));
    cmdU->setFixedWidth(fixed.horizontalAdvance(QString(9, u'0')));
    auto* header = new QHBoxLayout;
    header->setSpacing(0);
    for (QPushButton* button : {cmdA, cmdF, cmdU, cmdN}) {
        button->setFocusPolicy(Qt::NoFocus); // they do nothing, so the keyboard passes them by
        header->addWidget(button);
    }
    header->setStretch(3, 1);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->setSpacing(0);
    frameLayout->addLayout(header);
    frameLayout->addWidget(lstNotes);

    cmdNew = Button(QStringLiteral("&New Note. . ."), QStringLiteral("Make a New Note"));
    cmdEdit = Button(QStringLiteral("&Edit Note. . ."), QStringLiteral("Edit an Existing Note"));
    cmdDelete = Button(QStringLiteral("&Delete Note"), QStringLiteral("Remove a Note"));
    cmdNew->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdNew, cmdEdit, cmdDelete}) buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(showRow);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
    setTabOrder(lstNotes, cmdNew);
    tabMgr->addTab(page, QStringLiteral("&List of Notes"));
}

QGroupBox* frmManager::BuildAtRows() {
    fmeAt = new QGroupBox(QStringLiteral("Run ShowNotes &At: "));
    auto* grid = new QGridLayout(fmeAt);
    for (int i = 0; i < 5; ++i) {
        chkEnTime[i] = new QCheckBox;
        chkEnTime[i]->setAccessibleName(QStringLiteral("Time %1").arg(i + 1));
        txtHr[i] = NumberEdit();
        lblcolon[i] = new QLabel(QStringLiteral(":"));
        txtMin[i] = NumberEdit();
        cboAMPM[i] = new QComboBox;
        grid->addWidget(chkEnTime[i], i, 0);
        grid->addWidget(txtHr[i], i, 1);
        grid->addWidget(lblcolon[i], i, 2);
        grid->addWidget(txtMin[i], i, 3);
        grid->addWidget(cboAMPM[i], i, 4);
    }
    grid->setColumnStretch(5, 1);
    return fmeAt;
}

QGroupBox* frmManager::BuildEvery() {
    fmeEvery = new QGroupBox(QStringLiteral("Run ShowNotes &Every: "));
    chkEnTimer = new QCheckBox;
    chkEnTimer->setAccessibleName(QStringLiteral("Every"));
    txtHrs = NumberEdit();
    lblHrs = new QLabel(QStringLiteral("Hours &")); // the caption "Hours &&": a label without a buddy shows it as is
    txtMins = NumberEdit();
    lblMins = new QLabel(QStringLiteral("Minutes"));
    auto* row = new QHBoxLayout(fmeEvery);
    for (QWidget* w : std::initializer_list<QWidget*>{chkEnTimer, txtHrs, lblHrs, txtMins, lblMins}) row->addWidget(w);
    row->addStretch();
    return fmeEvery;
}

QGroupBox* frmManager::BuildTrayOptions() {
    fmeOpt = new QGroupBox(QStringLiteral("TrayNotes &Options: "));
    chkSound = new QCheckBox(QStringLiteral("Play Alarm When TrayNotes Displays Notes:"));
    txtSound = new QLineEdit;
    txtSound->setMinimumWidth(txtSound->fontMetrics().horizontalAdvance(QString(36, u'x')));
    cmdPlayAlarm = PictureButton(ManagerPictures::Picture::PlaySound, QStringLiteral("Play WAV Sound"));
    cmdBrowsS = PictureButton(ManagerPictures::Picture::BrowseFile, QStringLiteral("Choose WAV File"));
    chkAniIcon = new QCheckBox(QStringLiteral("Animate the TrayNotes Icon"));
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(txtSound, 1);
    soundRow->addWidget(cmdPlayAlarm);
    soundRow->addWidget(cmdBrowsS);
    auto* layout = new QVBoxLayout(fmeOpt);
    layout->addWidget(chkSound);
    layout->addLayout(soundRow);
    layout->addWidget(chkAniIcon);
    return fmeOpt;
}

QWidget* frmManager::BuildTrayPage() {
    auto* page = new QWidget;
    cmdTrayActive = new QPushButton;
    cmdTrayActive->setToolTip(QStringLiteral("Start/Stop TrayNotes"));
    cmdTrayActive->setIconSize(ManagerPictures::LogicalSize(ManagerPictures::Picture::Go));
    fmeSNL = new QGroupBox(QStringLiteral("TrayNotes &Launch: "));
    chkOnSys = new QCheckBox(QStringLiteral("Enable TrayNotes Startup on System Launch"));
    chkOnProg = new QCheckBox(QStringLiteral("TrayNotes Launches ShowNotes Upon Startup"));
    auto* launch = new QVBoxLayout(fmeSNL);
    launch->addWidget(chkOnSys);
    launch->addWidget(chkOnProg);

    auto* left = new QVBoxLayout;
    left->addWidget(cmdTrayActive);
    left->addWidget(BuildAtRows());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(BuildEvery());
    right->addWidget(fmeSNL);
    right->addWidget(BuildTrayOptions());
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

QWidget* frmManager::BuildShowPage() {
    auto* page = new QWidget;
    fmeDisLike = new QGroupBox(QStringLiteral("&Display Notes: "));
    optNeat = new QRadioButton(QStringLiteral("As a Stack of Notes"));
    optCascaded = new QRadioButton(QStringLiteral("As a Cascaded Stack of Notes"));
    optMessy = new QRadioButton(QStringLiteral("Scattered Across the Desktop"));
    imgNote = new QLabel;
    imgNote->setFrameShape(QFrame::Panel);
    imgNote->setFrameShadow(QFrame::Sunken);
    auto* options = new QVBoxLayout;
    for (QRadioButton* option : {optNeat, optCascaded, optMessy}) options->addWidget(option);
    auto* display = new QHBoxLayout(fmeDisLike);
    display->addLayout(options, 1);
    display->addWidget(imgNote);

    frmshus = new QGroupBox(QStringLiteral("Notes Di&rectory: "));
    txtNoteDir = new QLineEdit;
    cmdChooseDir = PictureButton(ManagerPictures::Picture::BrowseFolder, QStringLiteral("Choose Directory"));
    auto* folder = new QHBoxLayout(frmshus);
    folder->addWidget(txtNoteDir, 1);
    folder->addWidget(cmdChooseDir);

    Frame4 = new QGroupBox(QStringLiteral("Show &Which Notes: "));
    Label5 = new QLabel(QStringLiteral("Show:"));
    cboSWitch = new QComboBox;
    cboSWitch->addItems({QStringLiteral("Today's Notes"), QStringLiteral("All Notes")});
    cboSWitch->setToolTip(QStringLiteral("Show Which Notes?"));
    chkIfEn = new QCheckBox(QStringLiteral("If Enabled"));
    chkIfEn->setToolTip(QStringLiteral("Only Show Them if They Are Enabled?"));
    auto* which = new QHBoxLayout(Frame4);
    which->addWidget(Label5);
    which->addWidget(cboSWitch);
    which->addWidget(chkIfEn);
    which->addStretch();

    Frame2 = new QGroupBox(QStringLiteral("Default &Note Size: "));
    txtWidth = NumberEdit();
    txtHeight = NumberEdit();
    auto* size = new QGridLayout(Frame2);
    size->addWidget(new QLabel(QStringLiteral("The following values are measured in pixels.")), 0, 0, 1, 5);
    size->addWidget(new QLabel(QStringLiteral("Width:")), 1, 0);
    size->addWidget(txtWidth, 1, 1);
    size->addWidget(new QLabel(QStringLiteral("Height:")), 1, 2);
    size->addWidget(txtHeight, 1, 3);
    size->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(page);
    for (QGroupBox* group : {fmeDisLike, frmshus, Frame4, Frame2}) layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* frmManager::BuildPromptPage() {
    auto* page = new QWidget;
    Frame3 = new QGroupBox(QStringLiteral("Prompt &Before: "));
    chkTraySt = new QCheckBox(QStringLiteral("Disabling TrayNotes Launch on System Start Up"));
    chkApplyEd = new QCheckBox(QStringLiteral("Applying Edited Changes"));
    chkTrayLa = new QCheckBox(QStringLiteral("Disabling ShowNotes Launch on TrayNotes Start Up"));
    chkCloseNote = new QCheckBox(QStringLiteral("Closing a Note"));
    chkRemNote = new QCheckBox(QStringLiteral("Deleting a Note"));
    chkMultiTray = new QCheckBox(QStringLiteral("Loading Multiple Copies of Pinvale"));
    lblPromptMsg = new QLabel(QStringLiteral("Select a check box to see a description of its function."));
    lblPromptMsg->setWordWrap(true);
    lblPromptMsg->setFrameShape(QFrame::Panel);
    lblPromptMsg->setFrameShadow(QFrame::Sunken);
    lblPromptMsg->setMinimumHeight(lblPromptMsg->fontMetrics().height() * 3);
    auto* prompts = new QVBoxLayout(Frame3);
    for (QCheckBox* box : {chkTraySt, chkApplyEd, chkTrayLa, chkCloseNote, chkRemNote, chkMultiTray})
        prompts->addWidget(box);
    prompts->addWidget(lblPromptMsg);
    cmdAbout = Button(QStringLiteral("&About. . ."), QString());
    auto* about = new QHBoxLayout;
    about->addStretch();
    about->addWidget(cmdAbout);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Frame3);
    layout->addStretch();
    layout->addLayout(about);
    return page;
}
