#pragma once
// "Stealth Box": the hidden window that hosts the popup menus, the notes-folder file list and the
// once-a-second shutdown check.
#include "core/FileList.h"
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>
#include <QWidget>

class Program;

// The two launch options' questions, asked by the tray menu or, with the manager open, by its check boxes.
struct LaunchQuestion {
    QString Title;
    QString Text;
    static LaunchQuestion ShowOnTray();
    static LaunchQuestion TrayOnBoot();
};

class frmStealth : public QWidget {
    Q_OBJECT
public:
    explicit frmStealth(Program& program);
    ~frmStealth() override; // Form_Terminate

    void Form_Load();

    QTimer tmrMaster;
    FileList flbNotes;

    QMenu mnuEdit{QStringLiteral("Edit Mode")};
    QAction* mnuPaste;
    QAction* mnuCpySel;
    QAction* mnuCpyAll;
    QMenu mnuNorm{QStringLiteral("Normal Mode")};
    QAction* mnuCpySelN;
    QAction* mnuCpyAllN;
    QMenu mnuList{QStringLiteral("List Of Notes")};
    QAction* mnuNewL;
    QAction* mnuEditL;
    QAction* mnuDel;
    QAction* mnuAboutL;
    QMenu mnuTray{QStringLiteral("TrayNotes")};
    QAction* mnuShowT;
    QAction* mnuManage;
    QAction* mnuNew;
    QAction* mnuAbout;
    QAction* mnuTonSys;
    QAction* mnuShow;
    QAction* mnuClose;

public slots:
    void tmrMaster_Timer();
    // The note text menus.
    void mnuPaste_Click();
    void mnuCpySel_Click();
    void mnuCpyAll_Click();
    // The list menu and the tray menu.
    void mnuNewL_Click();
    void mnuNew_Click();
    void mnuEditL_Click();
    void mnuDel_Click();
    void mnuAbout_Click();
    void mnuShowT_Click();
    void mnuManage_Click();
    void mnuTonSys_Click();
    void mnuShow_Click();
    void mnuClose_Click();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    void BuildMenus();
    void ToggleLaunchOption(QAction* item, uint8_t& setting, uint8_t prompt, const LaunchQuestion& question,
                            QCheckBox* managerBox);
    Program& P;
};
