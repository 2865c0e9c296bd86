#include "manager/frmAbout.h"

#include "app/Program.h"
#include "manager/ManagerPictures.h"
#include <QGridLayout>
#include <QHBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pinvale: About the Author. . ."));
    imgAuthor = new QLabel;
    imgAuthor->setPixmap(ManagerPictures::Pixmap(ManagerPictures::Picture::About, devicePixelRatioF()));
    imgAuthor->setAlignment(Qt::AlignTop);
    lblName = new QLabel(QStringLiteral("Pinvale"));
    QFont big = lblName->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    lblName->setFont(big);
    lblVersion = new QLabel(QStringLiteral("Version 3.0.12"));
    lblAbout = new QLabel(QStringLiteral(
        "Pinvale keeps the small things you must not forget where you will see them: on your desktop, as sticky "
        "notes. Each note remembers the days it is due, its colours, font, picture and sounds, and TrayNotes brings "
        "your notes back at the times you choose, with an alarm if you like. Every note is a small file of its own, "
        "so your notes are easy to copy, keep and carry."));
    lblAbout->setWordWrap(true);
    lblAbout->setMinimumWidth(lblAbout->fontMetrics().averageCharWidth() * 50);
    lblContact = new QLabel(QStringLiteral("Questions and ideas are welcome through the project's issue tracker."));
    lblContact->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("&OK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    for (QLabel* label : {lblName, lblVersion, lblAbout, lblContact}) text->addWidget(label);
    auto* body = new QHBoxLayout;
    body->addWidget(imgAuthor);
    body->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmAbout& frmAbout::ShowModal(Program& P) {
    if (!P.AboutWindow) {
        P.AboutWindow = new frmAbout;
        P.AboutWindow->setAttribute(Qt::WA_DeleteOnClose);
        // Modal without a nested event loop: the tray, the timers and the shutdown check keep running.
        P.AboutWindow->setWindowModality(Qt::ApplicationModal);
    }
    P.AboutWindow->show();
    P.AboutWindow->raise();
    P.AboutWindow->activateWindow();
    return *P.AboutWindow;
}
