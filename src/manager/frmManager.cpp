#include "manager/frmManager.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "app/SaveSettingsOrTell.h"
#include "app/frmStealth.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/SettingsFile.h"
#include <QCloseEvent>
#include <QFontDatabase>
#include <QSignalBlocker>
#include <QVBoxLayout>

frmManager::frmManager(Program& program) : P(program) {
    setWindowTitle(QStringLiteral("Pinvale 3: ManageNotes"));
    setAttribute(Qt::WA_DeleteOnClose);
    tabMgr = new QTabWidget(this);
    auto* listPage = new QWidget;
    lstNotes = new QListWidget(listPage);
    lstNotes->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* pageLayout = new QVBoxLayout(listPage);
    pageLayout->addWidget(lstNotes);
    tabMgr->addTab(listPage, QStringLiteral("&List of Notes"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabMgr);
    resize(640, 400);
    connect(lstNotes, &QListWidget::itemChanged, this, &frmManager::lstNotes_ItemCheck);
}

frmManager::~frmManager() {
    if (P.Ending() || m_unloaded) return; // closed before: a manager opened since must stay open
    m_unloaded = true;
    P.ManagerOpen = false;
    mdlCommonFunc::CheckShutdown(P);
}

void frmManager::Form_Load() {
    P.ManagerOpen = true;
    mdlCommonFunc::FillNoteList(P);
}

void frmManager::lstNotes_ItemCheck(QListWidgetItem* item) {
    const QString path = mdlCommonFunc::FileFromListEntry(item->text());
    const int16_t enabled = item->checkState() == Qt::Checked ? 1 : 0;
    QString error;
    if (NoteFile::WriteEnabled(path, enabled, &error)) return;
    {
        const QSignalBlocker quiet(lstNotes); // put the mark back as the file still has it
        item->setCheckState(enabled ? Qt::Unchecked : Qt::Checked);
    }
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("The note \"%1\" could not be changed (%2).").arg(path, error));
}

void frmManager::closeEvent(QCloseEvent* event) {
    event->accept();
    if (P.Ending() || m_unloaded) return;
    m_unloaded = true;
    P.ManagerOpen = false;
    mdlCommonFunc::SaveSettingsOrTell(P);
    mdlCommonFunc::CheckShutdown(P);
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
    for (const NoteListEntry& entry : BuildNoteList(P.Settings.NotesFolder, files.Names())) {
        auto* item = new QListWidgetItem(entry.Line, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.Checked ? Qt::Checked : Qt::Unchecked);
        if (entry.Damaged) item->setToolTip(QStringLiteral("This note file is damaged and cannot be shown."));
    }
    if (list->count() > 0) list->setCurrentRow(P.ListPos);
}

} // namespace mdlCommonFunc
