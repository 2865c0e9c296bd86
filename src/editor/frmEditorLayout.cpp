// The editor's controls: three pages, OK and Cancel, and the wiring of every handler.
#include "editor/frmEditor.h"
#include "notes/NoteBack.h"
#include "notes/NoteText.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QShortcutEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* PictureButton(QWidget* parent, const QIcon& icon, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setToolTip(tip);
    return button;
}

// The font button's picture: a large and a small letter.
QIcon FontIcon() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("Aa"));
    return QIcon(pixmap);
}

// The colour button's picture: four colour squares.
QIcon ColourIcon() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(1, 1, 8, 8, Qt::red);
    p.fillRect(11, 1, 8, 8, Qt::yellow);
    p.fillRect(1, 11, 8, 8, Qt::green);
    p.fillRect(11, 11, 8, 8, Qt::blue);
    return QIcon(pixmap);
}

QComboBox* DropDown(QWidget* parent, const QStringList& entries = {}) {
    auto* list = new QComboBox(parent);
    list->addItems(entries);
    return list;
}

} // namespace

void frmEditor::BuildControls() {
    tabEdit = new QTabWidget(this);
    tabEdit->addTab(BuildDatesPage(), QStringLiteral("&Dates && Font"));
    tabEdit->addTab(BuildBackgroundPage(), QStringLiteral("&Background"));
    tabEdit->addTab(BuildSoundsPage(), QStringLiteral(" &Sounds && Style"));
    cmkOK = new QPushButton(QStringLiteral("&OK"), this);
    cmkOK->setToolTip(QStringLiteral("Yes, I Like It!"));
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setToolTip(QStringLiteral("No, This Sucks!"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmkOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabEdit);
    layout->addLayout(buttons);
}

QWidget* frmEditor::BuildDatesPage() {
    auto* page = new QWidget;
    fmeFont = new QGroupBox(QStringLiteral("&Font && Font Properties: "), page);
    cmdFont = PictureButton(fmeFont, FontIcon(), QStringLiteral("Select Font"));
    lblFont = new QLabel(QStringLiteral("Font Name"), fmeFont);
    lblFont->setMinimumHeight(40);
    lblAlign = new QLabel(QStringLiteral("Alignment:"), fmeFont);
    cboAlign = DropDown(fmeFont, {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    auto* font = new QGridLayout(fmeFont);
    font->addWidget(cmdFont, 0, 0);
    font->addWidget(lblFont, 0, 1, 1, 3);
    font->addWidget(lblAlign, 1, 0, 1, 2);
    font->addWidget(cboAlign, 1, 2);
    font->setColumnStretch(3, 1);

    fmeShowWhen = new QGroupBox(QStringLiteral("Show the &Note: "), page);
    lblSF = new QLabel(QStringLiteral("From:"), fmeShowWhen);
    cboMS = DropDown(fmeShowWhen);
    cboDS = DropDown(fmeShowWhen);
    cboYS = DropDown(fmeShowWhen);
    lblSU = new QLabel(QStringLiteral("Until:"), fmeShowWhen);
    cboMF = DropDown(fmeShowWhen);
    cboDF = DropDown(fmeShowWhen);
    cboYF = DropDown(fmeShowWhen);
    chkEnabled = new QCheckBox(QStringLiteral("With the Note Enabled by Default"), fmeShowWhen);
    chkEnabled->setChecked(true);
    auto* dates = new QGridLayout(fmeShowWhen);
    int row = 0;
    for (const auto& [label, month, day, year] :
         {std::tuple{lblSF, cboMS, cboDS, cboYS}, std::tuple{lblSU, cboMF, cboDF, cboYF}}) {
        dates->addWidget(label, row, 0);
        dates->addWidget(month, row, 1);
        dates->addWidget(day, row, 2);
        dates->addWidget(year, row, 3);
        ++row;
    }
    dates->addWidget(chkEnabled, row, 0, 1, 4);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fmeFont);
    layout->addWidget(fmeShowWhen);
    layout->addStretch();
    return page;
}

QWidget* frmEditor::BuildBackgroundPage() {
    auto* page = new QWidget;
    fmeBack = new QGroupBox(QStringLiteral("Background &Colour:"), page);
    picBack = new NoteBack(fmeBack);
    picBack->setFixedSize(60, 24);
    picBack->setCursor(Qt::PointingHandCursor);
    cmdBack = PictureButton(fmeBack, ColourIcon(), QStringLiteral("Select the Background Colour"));
    auto* back = new QHBoxLayout(fmeBack);
    back->addWidget(picBack);
    back->addWidget(cmdBack);
    back->addStretch();

    fmeGraphic = new QGroupBox(QStringLiteral("Background &Image: "), page);
    chkImages = new QCheckBox(QStringLiteral("Use Background Images"), fmeGraphic);
    lblImage = new QLabel(QStringLiteral("Image File:"), fmeGraphic);
    txtImg = new QLineEdit(fmeGraphic);
    cmdBrowse = PictureButton(fmeGraphic, style()->standardIcon(QStyle::SP_DirOpenIcon), QString());
    lblAL = new QLabel(QStringLiteral("Alignment:"), fmeGraphic);
    cboImgAl = DropDown(fmeGraphic, {QStringLiteral("Tiled"), QStringLiteral("Center"), QStringLiteral("Stretched")});
    imgImage = new NoteBack(fmeGraphic);
    imgImage->setMinimumSize(120, 80);
    imgImage->setCursor(Qt::ArrowCursor);
    auto* graphic = new QGridLayout(fmeGraphic);
    graphic->addWidget(chkImages, 0, 0, 1, 3);
    graphic->addWidget(lblImage, 1, 0);
    graphic->addWidget(txtImg, 1, 1);
    graphic->addWidget(cmdBrowse, 1, 2);
    graphic->addWidget(lblAL, 2, 0);
    graphic->addWidget(cboImgAl, 2, 1, 1, 2);
    graphic->addWidget(imgImage, 3, 0, 1, 3);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fmeBack);
    layout->addWidget(fmeGraphic, 1);
    return page;
}

QWidget* frmEditor::BuildSoundsPage() {
    auto* page = new QWidget;
    fmeSound = new QGroupBox(QStringLiteral("Sound &Effects: "), page);
    BuildSoundRows();
    auto* sounds = new QGridLayout(fmeSound);
    int row = 0;
    for (const SoundRow& sound : m_sounds) {
        sounds->addWidget(sound.Check, row++, 0, 1, 3);
        sounds->addWidget(sound.Play, row, 0);
        sounds->addWidget(sound.Path, row, 1);
        sounds->addWidget(sound.Browse, row++, 2);
    }

    Frame1 = new QGroupBox(QStringLiteral("&Border Style: "), page);
    cboStyle = DropDown(Frame1, {QStringLiteral("Flat"), QStringLiteral("Raised"), QStringLiteral("Sunken"),
                                 QStringLiteral("Etched"), QStringLiteral("Bump")});
    txtEG = new NoteText(Frame1);
    txtEG->SetNoteText(QStringLiteral("The Note Will Appear in this Style of Box."));
    txtEG->setFocusPolicy(Qt::NoFocus);
    txtEG->setFixedHeight(48);
    auto* style = new QHBoxLayout(Frame1);
    style->addWidget(cboStyle);
    style->addWidget(txtEG, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fmeSound);
    layout->addWidget(Frame1);
    layout->addStretch();
    return page;
}

void frmEditor::BuildSoundRows() {
    const QIcon play = style()->standardIcon(QStyle::SP_MediaPlay);
    const QIcon browse = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const auto row = [&](const QString& caption, QString NoteRecord::*field, int label, const QString& title) {
        SoundRow r{new QCheckBox(caption, fmeSound),
                   PictureButton(fmeSound, play, QStringLiteral("Play WAV Sound")),
                   new QLineEdit(fmeSound),
                   PictureButton(fmeSound, browse, QStringLiteral("Choose WAV Sound")),
                   title,
                   field,
                   label};
        return r;
    };
    m_sounds = {row(QStringLiteral("Load Note Sound"), &NoteRecord::LoadSound, 0,
                    QStringLiteral("Choose the Unload Note Sound. . .")),
                row(QStringLiteral("Close Note Sound"), &NoteRecord::CloseSound, 1,
                    QStringLiteral("Choose the Close Note Sound. . .")),
                row(QStringLiteral("Play Sound Button"), &NoteRecord::ButtonSound, 2,
                    QStringLiteral("Choose the 'Play Sound' Button Sound. . ."))};
    chkAct = m_sounds[0].Check;
    cmdPlayA = m_sounds[0].Play;
    txtSoundA = m_sounds[0].Path;
    cmdBrowsSA = m_sounds[0].Browse;
    chkDeAct = m_sounds[1].Check;
    cmdPlayD = m_sounds[1].Play;
    txtSoundD = m_sounds[1].Path;
    cmdBrowsSD = m_sounds[1].Browse;
    chkPlay = m_sounds[2].Check;
    cmdPlay = m_sounds[2].Play;
    txtSound = m_sounds[2].Path;
    cmdBrowsS = m_sounds[2].Browse;
}

void frmEditor::ConnectHandlers() {
    const auto onIndex = [this](QComboBox* list, void (frmEditor::*handler)()) {
        connect(list, &QComboBox::currentIndexChanged, this, handler);
    };
    onIndex(cboAlign, &frmEditor::cboAlign_Click);
    onIndex(cboImgAl, &frmEditor::cboImgAl_Click);
    onIndex(cboStyle, &frmEditor::cboStyle_Click);
    onIndex(cboMS, &frmEditor::cboMS_Click);
    onIndex(cboMF, &frmEditor::cboMF_Click);
    connect(chkEnabled, &QCheckBox::toggled, this, &frmEditor::chkEnabled_Click);
    connect(chkImages, &QCheckBox::toggled, this, &frmEditor::chkImages_Click);
    connect(chkAct, &QCheckBox::toggled, this, &frmEditor::chkAct_Click);
    connect(chkDeAct, &QCheckBox::toggled, this, &frmEditor::chkDeAct_Click);
    connect(chkPlay, &QCheckBox::toggled, this, &frmEditor::chkPlay_Click);
    connect(cmdFont, &QToolButton::clicked, this, &frmEditor::cmdFont_Click);
    connect(cmdBack, &QToolButton::clicked, this, &frmEditor::cmdBack_Click);
    connect(picBack, &NoteBack::mousePressed, this, &frmEditor::picBack_Click);
    connect(cmdBrowse, &QToolButton::clicked, this, &frmEditor::cmdBrowse_Click);
    connect(cmdBrowsS, &QToolButton::clicked, this, &frmEditor::cmdBrowsS_Click);
    connect(cmdBrowsSA, &QToolButton::clicked, this, &frmEditor::cmdBrowsSA_Click);
    connect(cmdBrowsSD, &QToolButton::clicked, this, &frmEditor::cmdBrowsSD_Click);
    connect(cmdPlay, &QToolButton::clicked, this, &frmEditor::cmdPlay_Click);
    connect(cmdPlayA, &QToolButton::clicked, this, &frmEditor::cmdPlayA_Click);
    connect(cmdPlayD, &QToolButton::clicked, this, &frmEditor::cmdPlayD_Click);
    connect(txtImg, &QLineEdit::textChanged, this, &frmEditor::txtImg_Change);
    connect(txtSound, &QLineEdit::textChanged, this, &frmEditor::txtSound_Change);
    connect(txtSoundA, &QLineEdit::textChanged, this, &frmEditor::txtSoundA_Change);
    connect(txtSoundD, &QLineEdit::textChanged, this, &frmEditor::txtSoundD_Change);
    connect(cmkOK, &QPushButton::clicked, this, &frmEditor::cmkOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditor::cmdCancel_Click);
    // Enter confirms and Escape cancels anywhere in the editor, as in a dialog; Enter on another focused
    // button presses that one.
    const auto enter = [this] {
        auto* button = qobject_cast<QAbstractButton*>(focusWidget());
        if (!qobject_cast<QPushButton*>(button) && !qobject_cast<QToolButton*>(button)) button = cmkOK;
        if (button->isEnabled()) button->click();
    };
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, enter);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, cmdCancel, &QPushButton::click);
    tabEdit->tabBar()->installEventFilter(this);
}

// "&Background" and "&Border Style: " share their letter. On the page that shows the group, the letter
// goes to the group the user sees rather than away to another page.
bool frmEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != tabEdit->tabBar() || event->type() != QEvent::Shortcut) return QWidget::eventFilter(watched, event);
    const auto* shortcut = static_cast<QShortcutEvent*>(event);
    if (!shortcut->isAmbiguous()) return false;
    for (QGroupBox* group : tabEdit->currentWidget()->findChildren<QGroupBox*>()) {
        if (QKeySequence::mnemonic(group->title()) != shortcut->key()) continue;
        for (QWidget* w = group->nextInFocusChain(); w != group; w = w->nextInFocusChain()) {
            if (group->isAncestorOf(w) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::ShortcutFocusReason);
                return true;
            }
        }
    }
    return false;
}
