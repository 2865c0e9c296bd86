#pragma once
// "Pinvale 3: ManageNotes": the list of notes with their check marks. The option pages come later.
#include <QListWidget>
#include <QTabWidget>
#include <QWidget>

class Program;

class frmManager : public QWidget {
    Q_OBJECT
public:
    explicit frmManager(Program& program);
    ~frmManager() override; // Form_Terminate

    void Form_Load();

    QTabWidget* tabMgr;
    QListWidget* lstNotes;

public slots:
    void lstNotes_ItemCheck(QListWidgetItem* item);

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    Program& P;
    bool m_unloaded = false;
};

namespace mdlCommonFunc {
// Creates and loads the manager window (not shown yet) and holds it in the program.
frmManager& LoadManager(Program& P);
// Rebuilds the manager's lstNotes from the notes folder and selects line ListPos. Writes nothing.
void FillNoteList(Program& P);
} // namespace mdlCommonFunc
