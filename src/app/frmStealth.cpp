#include "app/frmStealth.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "core/SettingsFile.h"
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>

frmStealth::frmStealth(Program& program) : P(program) {
    setWindowTitle(QStringLiteral("Stealth Box"));
    setAttribute(Qt::WA_DeleteOnClose);
    tmrMaster.setInterval(1000);
    connect(&tmrMaster, &QTimer::timeout, this, &frmStealth::tmrMaster_Timer);
    BuildMenus();
}

frmStealth::~frmStealth() {
    if (!P.Ending()) mdlCommonFunc::ClearTrayLock(P.ProgramFolder);
}

void frmStealth::BuildMenus() {
    mnuPaste = mnuEdit.addAction(QStringLiteral("Paste Text"));
    mnuEdit.addSeparator();
    mnuCpySel = mnuEdit.addAction(QStringLiteral("Copy Selected Text"));
    mnuCpyAll = mnuEdit.addAction(QStringLiteral("Copy All Text"));

    mnuCpySelN = mnuNorm.addAction(QStringLiteral("Copy Selected Text"));
    mnuCpyAllN = mnuNorm.addAction(QStringLiteral("Copy All Text"));

    mnuNewL = mnuList.addAction(QStringLiteral("New Note. . ."));
    mnuEditL = mnuList.addAction(QStringLiteral("Edit Selected Note. . ."));
    mnuDel = mnuList.addAction(QStringLiteral("Delete Selected Note"));
    mnuList.addSeparator();
    mnuAboutL = mnuList.addAction(QStringLiteral("About. . ."));

    mnuShowT = mnuTray.addAction(QStringLiteral("ShowNotes"));
    mnuTray.addSeparator();
    mnuManage = mnuTray.addAction(QStringLiteral("ManageNotes. . ."));
    mnuNew = mnuTray.addAction(QStringLiteral("New Note. . ."));
    mnuTray.addSeparator();
    mnuAbout = mnuTray.addAction(QStringLiteral("About. . ."));
    mnuTray.addSeparator();
    mnuTonSys = mnuTray.addAction(QStringLiteral("Load TrayNotes on Sytem Boot"));
    mnuTonSys->setCheckable(true);
    mnuShow = mnuTray.addAction(QStringLiteral("Launch ShowNotes on TrayNotes Load"));
    mnuShow->setCheckable(true);
    mnuTray.addSeparator();
    mnuClose = mnuTray.addAction(QStringLiteral("Close TrayNotes"));

    connect(mnuPaste, &QAction::triggered, this, &frmStealth::mnuPaste_Click);
    connect(mnuCpySel, &QAction::triggered, this, &frmStealth::mnuCpySel_Click);
    connect(mnuCpySelN, &QAction::triggered, this, &frmStealth::mnuCpySel_Click);
    connect(mnuCpyAll, &QAction::triggered, this, &frmStealth::mnuCpyAll_Click);
    connect(mnuCpyAllN, &QAction::triggered, this, &frmStealth::mnuCpyAll_Click);

    // Items whose windows are not built yet are shown, but disabled.
    for (QAction* pending : {mnuNewL, mnuEditL, mnuDel,
                             mnuAboutL, mnuShowT, mnuManage, mnuNew, mnuAbout, mnuTonSys, mnuShow, mnuClose})
        pending->setEnabled(false);
}

void frmStealth::Form_Load() {
    flbNotes.SetPattern(QStringLiteral("*.nte"));
    flbNotes.SetPath(P.Settings.NotesFolder);
    P.ListPos = 0;
    mnuTonSys->setChecked(P.Settings.TrayOnSystemStart == 1);
    mnuShow->setChecked(P.Settings.ShowOnTrayStart == 1);
    tmrMaster.start();
}

void frmStealth::tmrMaster_Timer() { mdlCommonFunc::CheckShutdown(P); }

void frmStealth::mnuPaste_Click() {}

void frmStealth::mnuCpySel_Click() { QGuiApplication::clipboard()->setText(P.CopySelText); }

void frmStealth::mnuCpyAll_Click() { QGuiApplication::clipboard()->setText(P.CopyAllText); }

void frmStealth::closeEvent(QCloseEvent* event) {
    tmrMaster.stop();
    if (!P.Ending()) mdlCommonFunc::ClearTrayLock(P.ProgramFolder);
    event->accept();
}
