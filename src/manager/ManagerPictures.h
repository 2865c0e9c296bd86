#pragma once
// The manager's pictures, drawn by the program so that they stay sharp at any scale: the tray button's
// two faces, the three arrangement previews, the small picture buttons and the about box's picture.
#include <QIcon>
#include <QPixmap>

namespace ManagerPictures {

enum class Picture {
    Go,           // imgGo: start TrayNotes
    Stop,         // imgStop: stop TrayNotes
    Stack,        // imgNote1: notes on one pile
    Cascade,      // imgNote2: notes stepping down and right
    Scatter,      // imgNote3: notes strewn about
    PlaySound,    // cmdPlayAlarm
    BrowseFile,   // cmdBrowsS
    BrowseFolder, // cmdChooseDir
    FolderUp,     // the folder chooser's Up
    NewFolder,    // the folder chooser's New Folder
    About         // the about box
};

// The logical size each picture is drawn for.
QSize LogicalSize(Picture picture);
// Drawn when shown, at the screen's density, so a scaled screen gets crisp pixels.
QIcon Icon(Picture picture);
QPixmap Pixmap(Picture picture, qreal devicePixelRatio);

} // namespace ManagerPictures
