#pragma once
// "Select Directory. . .": browse for the notes folder, or make a new folder. Not modal; one at a time.
// The "drives" are the places a user picks from on this desktop: the root, the home folder and the
// removable media mounted under /media, /run/media and /mnt.
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <vector>

class Program;

class frmChooseDir : public QDialog {
    Q_OBJECT
public:
    explicit frmChooseDir(Program& program);

    void Form_Load();
    // Opens the chooser, or brings the open one to the front.
    static frmChooseDir& ShowChooser(Program& P);

    struct Drive {
        QString Name;
        QString Root; // no final separator, except the root "/" itself
    };
    static std::vector<Drive> Drives();
    // Offers one more drive in drvA, e.g. a medium mounted since the chooser opened.
    void AddDrive(const Drive& drive);

    QString ShownFolder() const { return m_shown; }
    // The entry last clicked (or moved to with the keys); the shown folder when none is.
    QString HighlightedFolder() const;

    QComboBox* drvA;
    QListWidget* dirA;
    QToolButton* cmdUp;
    QToolButton* cmdNew;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void drvA_Change();
    void dirA_DblClick(QListWidgetItem* item);
    void cmdUp_Click();
    void cmdNew_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFolder(const QString& folder, const QString& highlight = QString());
    QString DriveRoot() const;

    Program& P;
    std::vector<Drive> m_drives;
    QString m_shown;
    QString m_root; // the root of the drive the list shows: a drive that failed to open changes nothing
};
