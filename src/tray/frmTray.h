#pragma once
// "TrayNotes": the hidden window that owns the tray icon and the tray timer.
#include "platform/Services.h"
#include <QTimer>
#include <QWidget>
#include <memory>

class Program;

class frmTray : public QWidget {
    Q_OBJECT
public:
    explicit frmTray(Program& program);
    ~frmTray() override; // Form_Terminate

    void Form_Load();

    std::unique_ptr<cSysTray> Tray;
    QTimer tmrTray;

public slots:
    void tmrTray_Timer();
    void Tray_MouseDown(int button);
    void Tray_MouseDblClick();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    Program& P;
};
