#pragma once
// "Pinvale: About the Author. . .": the program's name, version, a few words about it and its picture.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

class Program;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Shows the one about box, modal for the whole program, and returns at once; closing it is all it does.
    static frmAbout& ShowModal(Program& P);

    QLabel* imgAuthor;
    QLabel* lblName;
    QLabel* lblVersion;
    QLabel* lblAbout;
    QLabel* lblContact;
    QPushButton* cmdOK;
};
