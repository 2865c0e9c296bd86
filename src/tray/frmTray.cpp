#include "tray/frmTray.h"

#include "app/CheckShutdown.h"
#include "app/Program.h"
#include "tray/TrayIcons.h"
#include <QCloseEvent>

frmTray::frmTray(Program& program) : P(program) {
    setWindowTitle(QStringLiteral("TrayNotes"));
    setAttribute(Qt::WA_DeleteOnClose);
    Tray = P.S.TrayFactory.CreateTray(this);
    Tray->setTraytip(QStringLiteral("PVL 3: TrayNotes"));
    Tray->setTrayicon(TrayIcons::PageFrame(1));
    connect(Tray.get(), &cSysTray::MouseDown, this, &frmTray::Tray_MouseDown);
    connect(Tray.get(), &cSysTray::MouseDblClick, this, &frmTray::Tray_MouseDblClick);
    tmrTray.setInterval(250);
    connect(&tmrTray, &QTimer::timeout, this, &frmTray::tmrTray_Timer);
}

frmTray::~frmTray() {
    Tray->setIntray(false);
    if (P.Ending()) return;
    P.TrayActive = false;
    mdlCommonFunc::CheckShutdown(P);
}

void frmTray::Form_Load() {
    P.TrayActive = true;
    tmrTray.start();
}

void frmTray::tmrTray_Timer() {}

void frmTray::Tray_MouseDown(int) {}

void frmTray::Tray_MouseDblClick() {}

void frmTray::closeEvent(QCloseEvent* event) {
    tmrTray.stop();
    event->accept();
    if (P.Ending()) return;
    P.TrayActive = false;
    mdlCommonFunc::CheckShutdown(P);
}
