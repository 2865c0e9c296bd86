#include "manager/frmChooseDir.h"

#include "app/Program.h"
#include "manager/ManagerPictures.h"
#include "manager/frmManager.h"
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QVBoxLayout>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int PathRole = Qt::UserRole + 1;

QString Clean(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    return clean.isEmpty() ? QStringLiteral("/") : clean;
}

bool IsUnder(const QString& path, const QString& root) {
    return root == QStringLiteral("/") || path == root || path.startsWith(root + u'/');
}
} // namespace

frmChooseDir::frmChooseDir(Program& program) : P(program) {
    using ManagerPictures::Picture;
    setWindowTitle(QStringLiteral("Select Directory. . ."));
    setAttribute(Qt::WA_DeleteOnClose);
    drvA = new QComboBox;
    drvA->setToolTip(QStringLiteral("Drive"));
    dirA = new QListWidget;
    dirA->setToolTip(QStringLiteral("Directory"));
    dirA->setMinimumSize(dirA->fontMetrics().averageCharWidth() * 40, dirA->fontMetrics().height() * 14);
    cmdUp = new QToolButton;
    cmdUp->setIcon(ManagerPictures::Icon(Picture::FolderUp));
    cmdUp->setToolTip(QStringLiteral("Up One Level"));
    cmdNew = new QToolButton;
    cmdNew->setIcon(ManagerPictures::Icon(Picture::NewFolder));
    cmdNew->setToolTip(QStringLiteral("New Folder"));
    cmdOK = new QPushButton(QStringLiteral("&OK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(drvA, 1);
    top->addWidget(cmdUp);
    top->addWidget(cmdNew);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(dirA);
    layout->addLayout(buttons);

    // A change of drive, not a pick of the same one again; and a double click, not the desktop's
    // activation, which may be a single click and would leave no way to highlight without opening.
    connect(drvA, &QComboBox::currentIndexChanged, this, &frmChooseDir::drvA_Change);
    connect(dirA, &QListWidget::itemDoubleClicked, this, &frmChooseDir::dirA_DblClick);
    dirA->installEventFilter(this); // the keys' double click and Up: Enter is the default button's
    connect(cmdUp, &QToolButton::clicked, this, &frmChooseDir::cmdUp_Click);
    connect(cmdNew, &QToolButton::clicked, this, &frmChooseDir::cmdNew_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmChooseDir::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmChooseDir::cmdCancel_Click);
}

std::vector<frmChooseDir::Drive> frmChooseDir::Drives() {
    std::vector<Drive> drives{{QStringLiteral("/"), QStringLiteral("/")}};
    const QString home = Clean(QDir::homePath());
    if (home != QStringLiteral("/")) drives.push_back({QStringLiteral("Home (%1)").arg(home), home});
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = Clean(volume.rootPath());
        const bool removable = root.startsWith(QStringLiteral("/media/")) ||
                               root.startsWith(QStringLiteral("/run/media/")) ||
                               root.startsWith(QStringLiteral("/mnt/"));
        if (removable) drives.push_back({QStringLiteral("%1 (%2)").arg(volume.displayName(), root), root});
    }
    return drives;
}

void frmChooseDir::AddDrive(const Drive& drive) {
    m_drives.push_back(drive);
    drvA->addItem(drive.Name);
}

void frmChooseDir::Form_Load() {
    const QSignalBlocker quiet(drvA); // the load shows the program's folder, not the drive's root
    m_drives = Drives();
    const QString folder = Clean(P.ProgramFolder);
    int best = 0; // the drive that holds the program's folder most closely
    for (int i = 0; i < static_cast<int>(m_drives.size()); ++i) {
        const QString& root = m_drives[static_cast<size_t>(i)].Root;
        if (IsUnder(folder, root) && root.size() >= m_drives[static_cast<size_t>(best)].Root.size()) best = i;
        drvA->addItem(m_drives[static_cast<size_t>(i)].Name);
    }
    drvA->setCurrentIndex(best);
    m_root = DriveRoot();
    ShowFolder(folder);
}

frmChooseDir& frmChooseDir::ShowChooser(Program& P) {
    if (!P.ChooseDirWindow) {
        P.ChooseDirWindow = new frmChooseDir(P);
        P.ChooseDirWindow->Form_Load();
    }
    P.ChooseDirWindow->show();
    P.ChooseDirWindow->raise();
    P.ChooseDirWindow->activateWindow();
    return *P.ChooseDirWindow;
}

QString frmChooseDir::DriveRoot() const {
    const int index = drvA->currentIndex();
    return index < 0 ? QStringLiteral("/") : m_drives[static_cast<size_t>(index)].Root;
}

QString frmChooseDir::HighlightedFolder() const {
    const QListWidgetItem* item = dirA->currentItem();
    return item ? item->data(PathRole).toString() : m_shown;
}

// The shown folder's parents from the drive's root down, then its sub-folders, one step further in.
// Hidden sub-folders are left out, except those on the way to the program's folder, so that Up from it
// can be undone.
void frmChooseDir::ShowFolder(const QString& folder, const QString& highlight) {
    m_shown = Clean(folder);
    if (!IsUnder(m_shown, m_root)) m_root = QStringLiteral("/"); // Up past the root of a drive that failed
    dirA->clear();
    QStringList chain;
    for (QString at = m_shown; IsUnder(at, m_root); at = Clean(at + QStringLiteral("/.."))) {
        chain.prepend(at);
        if (at == m_root || at == QStringLiteral("/")) break;
    }
    int depth = 0;
    QListWidgetItem* shownItem = nullptr;
    const auto add = [&](const QString& path, const QString& name, int indent) {
        auto* item = new QListWidgetItem(QString(indent * 2, u' ') + name, dirA);
        item->setData(PathRole, path);
        item->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
        return item;
    };
    QListWidgetItem* highlighted = nullptr;
    for (const QString& path : chain) {
        shownItem = add(path, path == QStringLiteral("/") ? path : QDir(path).dirName(), depth++);
        if (path == highlight) highlighted = shownItem;
    }
    const QString base = m_shown == QStringLiteral("/") ? QString() : m_shown;
    const QString program = Clean(P.ProgramFolder);
    for (const QString& name :
         QDir(m_shown).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        const QString path = base + u'/' + name;
        if (name.startsWith(u'.') && !IsUnder(program, path)) continue;
        QListWidgetItem* item = add(path, name, depth);
        if (path == highlight) highlighted = item;
    }
    dirA->setCurrentItem(highlighted ? highlighted : shownItem);
}

void frmChooseDir::drvA_Change() {
    const QString root = DriveRoot();
    if (::access(QFile::encodeName(root).constData(), R_OK | X_OK) != 0) {
        const int code = errno;
        P.S.Questions.Message(QStringLiteral("A Problem With the Drive?"),
                              QStringLiteral("Device is not ready. Code (%1)").arg(code), MessageIcon::Exclamation);
        return; // the folder list keeps what it showed
    }
    m_root = root;
    ShowFolder(root);
}

bool frmChooseDir::eventFilter(QObject* watched, QEvent* event) {
    if (watched != dirA || event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Right) dirA_DblClick(dirA->currentItem());
    if (key == Qt::Key_Left || key == Qt::Key_Backspace) cmdUp_Click();
    return key == Qt::Key_Right || key == Qt::Key_Left || key == Qt::Key_Backspace;
}

void frmChooseDir::dirA_DblClick(QListWidgetItem* item) {
    if (item) ShowFolder(item->data(PathRole).toString());
}

void frmChooseDir::cmdUp_Click() {
    if (m_shown.compare(DriveRoot(), Qt::CaseInsensitive) == 0) return; // the root has no parent here
    ShowFolder(Clean(m_shown + QStringLiteral("/..")));
}

void frmChooseDir::cmdNew_Click() {
    const QString name = P.S.Questions.InputBox(QStringLiteral("Please, enter a valid directory (folder) name below:"),
                                                QStringLiteral("New Folder. . ."), QStringLiteral("Notes"));
    const QString parent = HighlightedFolder();
    const QString path = (parent == QStringLiteral("/") ? QString() : parent) + u'/' + name;
    int code = 0;
    if (name.contains(u'/') || name.contains(QChar(0)))
        code = EINVAL; // a name, not a path: this would make a folder somewhere else
    else if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0)
        code = errno; // an empty name names the parent itself, which exists
    if (code != 0)
        P.S.Questions.Message(QStringLiteral("A Problem With the New Folder?"),
                              QStringLiteral("Invalid Folder Name. Code (%1)").arg(code), MessageIcon::Exclamation);
    ShowFolder(m_shown, parent); // listed now, and the highlight stays where the user put it
}

void frmChooseDir::cmdOK_Click() {
    if (P.ManagerOpen && P.ManagerWindow) {
        QString folder = HighlightedFolder();
        if (!folder.endsWith(u'/')) folder += u'/';
        P.ManagerWindow->txtNoteDir->setText(folder);
    }
    close();
}

void frmChooseDir::cmdCancel_Click() {
    close();
}
