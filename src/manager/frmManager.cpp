#include "manager/frmManager.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "app/SaveSettingsOrTell.h"
#include "app/frmStealth.h"
#include "app/mdlBoot.h"
#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/ProgramFolder.h"
#include "editor/EditFlow.h"
#include "manager/ManagerPictures.h"
#include "manager/frmAbout.h"
#include "notes/ShowNotes.h"
#include "tray/frmTray.h"
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cerrno>

namespace {
constexpr int DamagedRole = Qt::UserRole + 1;

// Windows' read-only attribute, as the owner's write permission: honoured even where the program could
// write over it (as root).
bool IsReadOnly(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}
} // namespace

frmManager::frmManager(Program& program) : P(program) {
    using ManagerPictures::Picture;
    setWindowTitle(QStringLiteral("Pinvale 3: ManageNotes"));
    setAttribute(Qt::WA_DeleteOnClose);
    imgGo = ManagerPictures::Icon(Picture::Go);
    imgStop = ManagerPictures::Icon(Picture::Stop);

    tabMgr = new QTabWidget(this);
    BuildListPage();
    tabMgr->addTab(BuildTrayPage(), QStringLiteral("&TrayNotes"));
    tabMgr->addTab(BuildShowPage(), QStringLiteral("&ShowNotes"));
    tabMgr->addTab(BuildPromptPage(), QStringLiteral("&Propting"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabMgr);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed window that still follows the font's size
    connect(lstNotes, &QListWidget::itemChanged, this, &frmManager::lstNotes_ItemCheck);
    lstNotes->installEventFilter(this);
    lstNotes->viewport()->installEventFilter(this);
    connect(cmdNow, &QPushButton::clicked, this, &frmManager::cmdNow_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmManager::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmManager::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmManager::cmdDelete_Click);
    connect(cmdTrayActive, &QPushButton::clicked, this, &frmManager::cmdTrayActive_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmManager::cmdAbout_Click);
    ConnectOptions();
}

frmManager::~frmManager() {
    if (P.Ending() || m_unloaded) return; // closed before: a manager opened since must stay open
    m_unloaded = true;
    P.ManagerOpen = false;
    mdlCommonFunc::CheckShutdown(P);
}

void frmManager::Form_Load() {
    {
        const QScopedValueRollback filling(m_filling, true); // the lists get their items without storing
        cboShow->setCurrentIndex(0);
        for (QComboBox* box : cboAMPM) {
            box->clear();
            box->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
        }
    }
    ShowTrayFace();
    P.ManagerOpen = true;
    FillOptions();
    mdlCommonFunc::FillNoteList(P);
    lstNotes->setFocus(); // the arrow keys and Space work on the notes straight away
}

void frmManager::ShowTrayFace() {
    cmdTrayActive->setText(P.TrayActive ? QStringLiteral("De-Activate TrayNotes")
                                        : QStringLiteral("Activate TrayNotes"));
    cmdTrayActive->setIcon(P.TrayActive ? imgStop : imgGo);
}

QString frmManager::SelectedFile() const {
    const int index = SelectedIndex();
    return index < 0 ? QString() : mdlCommonFunc::FileFromListEntry(lstNotes->item(index)->text());
}

int frmManager::SelectedIndex() const {
    const QListWidgetItem* item = lstNotes->currentItem();
    return item && item->isSelected() ? lstNotes->row(item) : -1;
}

int frmManager::NoteCount() const {
    return lstNotes->count();
}

// The list page --------------------------------------------------------------------------------------

void frmManager::lstNotes_ItemCheck(QListWidgetItem* item) {
    if (m_filling || NoteCount() == 0) return;
    const QString path = mdlCommonFunc::FileFromListEntry(item->text());
    const int16_t enabled = item->checkState() == Qt::Checked ? 1 : 0;
    QString error;
    if (item->data(DamagedRole).toBool())
        error = QStringLiteral("the file is damaged, so it cannot be switched on or off; delete it, or put a good "
                               "copy in its place");
    else if (IsReadOnly(path))
        error = QStringLiteral("the file is read-only; allow writing to it and try again");
    else if (NoteFile::WriteEnabled(path, enabled, &error))
        return;
    {
        const QSignalBlocker quiet(lstNotes); // the mark goes back to what the file still holds
        item->setCheckState(enabled ? Qt::Unchecked : Qt::Checked);
    }
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("The note \"%1\" could not be changed: %2.").arg(path, error),
                          MessageIcon::Exclamation);
    if (!QFile::exists(path)) { // gone behind the program's back: show the folder as it is
        P.ListPos = static_cast<int16_t>(SelectedIndex());
        mdlCommonFunc::FillNoteList(P);
    }
}

void frmManager::lstNotes_MouseDown(int button, const QPoint& globalPos) {
    if (button == 2) P.Stealth().mnuList.popup(globalPos);
}

void frmManager::cmdDelete_Click() {
    const int selected = SelectedIndex();
    if (NoteCount() == 0 || selected < 0) return; // lines but none selected: no note to act on
    if (P.Settings.PromptDeleteNote == 1 &&
        !P.S.Questions.AskYesNo(QStringLiteral("Are you sure you want to delete this Note?"),
                                QStringLiteral("Deleting a Note permanently removes it from your system. Click "
                                               "'YES' if you want to do this.")))
        return;
    mdlCommonFunc::DeleteNoteOrTell(P, SelectedFile());
    P.ListPos = static_cast<int16_t>(NoteCount() > 1 ? selected - 1 : 0);
    mdlCommonFunc::FillNoteList(P);
}

void frmManager::cmdNow_Click() {
    const int index = cboShow->currentIndex();
    const int16_t which = index == 1 || index == 2 ? static_cast<int16_t>(index) : 0;
    mdlCommonFunc::ShowNotes(P, chkIE->isChecked() ? -1 : 0, which);
}

void frmManager::cmdNew_Click() {
    if (P.EditorOpen) return;
    P.ListPos = static_cast<int16_t>(SelectedIndex());
    mdlEdit::StartNewEdit(P);
}

void frmManager::cmdEdit_Click() {
    if (NoteCount() == 0 || P.EditorOpen || SelectedIndex() < 0) return;
    P.ListPos = static_cast<int16_t>(SelectedIndex());
    mdlEdit::StartExistingEdit(P, SelectedFile(), true);
}

void frmManager::cmdTrayActive_Click() {
    if (!P.TrayActive) {
        cmdTrayActive->setText(QStringLiteral("De-Activate TrayNotes"));
        cmdTrayActive->setIcon(imgStop);
        mdlBoot::LoadTray(P);
        return;
    }
    cmdTrayActive->setText(QStringLiteral("Activate TrayNotes"));
    cmdTrayActive->setIcon(imgGo);
    if (!P.TrayWindow) return;
    P.TrayWindow->Tray->setIntray(false);
    P.TrayWindow->close(); // the manager is open, so this never ends the program
}

void frmManager::cmdAbout_Click() {
    frmAbout::ShowModal(P);
}

// Window events ----------------------------------------------------------------------------------------

void frmManager::FinishTyping() {
    const auto typing = m_leaveHandlers.find(focusWidget());
    if (typing != m_leaveHandlers.end()) typing->second();
}

void frmManager::closeEvent(QCloseEvent* event) {
    event->accept();
    if (P.Ending() || m_unloaded) return;
    FinishTyping();
    m_unloaded = true;
    P.ManagerOpen = false;
    mdlCommonFunc::SaveSettingsOrTell(P);
    mdlCommonFunc::CheckShutdown(P);
}

bool frmManager::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut) {
        // Another window coming to the front, or a menu, does not leave the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool left = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        const auto leave = m_leaveHandlers.find(watched);
        if (left && leave != m_leaveHandlers.end() && !m_filling) leave->second();
    } else if (type == QEvent::FocusIn) {
        if (m_helpTexts.count(watched)) PromptBox_GotFocus(static_cast<QCheckBox*>(watched));
    } else if (watched == lstNotes->viewport() && type == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        lstNotes_MouseDown(2, mouse->globalPosition().toPoint());
        return true; // the selection stays where it was
    } else if ((watched == lstNotes || watched == lstNotes->viewport()) && type == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() != QContextMenuEvent::Mouse) { // the menu key: under the selected line
            const QRect line = lstNotes->visualItemRect(lstNotes->currentItem());
            lstNotes_MouseDown(2, lstNotes->viewport()->mapToGlobal(line.isValid() ? line.center() : QPoint()));
        }
        return true;
    }
    return false;
}

void frmManager::keyPressEvent(QKeyEvent* event) {
    // Enter presses the focused button, whichever page it is on; anywhere else on the list page it
    // presses that page's default button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
    if (enter && (qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused))) {
        if (focused->isEnabled()) focused->click();
        return;
    }
    if (enter && tabMgr->currentIndex() == 0 && cmdNew->isEnabled()) {
        cmdNew->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace mdlCommonFunc {

frmManager& LoadManager(Program& P) {
    P.ManagerWindow = new frmManager(P);
    P.ManagerWindow->Form_Load();
    return *P.ManagerWindow;
}

void FillNoteList(Program& P) {
    if (!P.ManagerWindow) return;
    QListWidget* list = P.ManagerWindow->lstNotes;
    const QSignalBlocker quiet(list); // filling the marks writes nothing
    list->clear();
    FileList& files = P.Stealth().flbNotes;
    files.Refresh();
    // The folder the names were read from, which a half-typed notes folder box has not changed yet.
    const std::vector<NoteListEntry> entries = BuildNoteList(WithSeparator(files.Path()), files.Names());
    list->setUpdatesEnabled(false);
    for (const NoteListEntry& entry : entries) {
        auto* item = new QListWidgetItem(entry.Line);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.Checked ? Qt::Checked : Qt::Unchecked);
        if (entry.Damaged) { // greyed, as a line that cannot be used, and the pointer says why
            item->setData(DamagedRole, true);
            item->setForeground(list->palette().brush(QPalette::Disabled, QPalette::Text));
            item->setToolTip(QStringLiteral("This note file is damaged and cannot be shown."));
        }
        list->addItem(item);
    }
    list->setUpdatesEnabled(true);
    if (list->count() > 0) list->setCurrentRow(P.ListPos);
}

bool DeleteNoteOrTell(Program& P, const QString& path) {
    if (NativeFile::Remove(path)) return true; // by the name's bytes, so any listed note can go
    const int error = errno;
    const QString why = NativeFile::KindOf(path) != NativeFile::Kind::Missing ? qt_error_string(error)
                                                                              : QStringLiteral("it is no longer there");
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("The note \"%1\" could not be deleted: %2. The list now shows the notes "
                                         "folder as it is.")
                              .arg(path, why),
                          MessageIcon::Exclamation);
    return false;
}

} // namespace mdlCommonFunc
