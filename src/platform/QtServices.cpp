#include "platform/QtServices.h"

#include "platform/FontColourDialog.h"
#include "platform/Modules.h"
#include "platform/QtSysTray.h"
#include "platform/StoredColour.h"
#include "platform/WaitCursor.h"
#include "platform/XEmbedTray.h"
#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>
#include <unistd.h>

bool QtQuestions::AskYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No);
    const UserCursor arrow;
    return box.exec() == QMessageBox::Yes;
}

void QtQuestions::Message(const QString& title, const QString& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information, title, text,
                    QMessageBox::Ok);
    const UserCursor arrow;
    box.exec();
}

QString QtQuestions::InputBox(const QString& prompt, const QString& title, const QString& initial) {
    bool ok = false;
    const UserCursor arrow;
    const QString text = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

QString QtFileFilter(const QString& programFilter) {
    const QStringList parts = programFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads a filter's patterns from its last parentheses, split on blanks only ("*.bmp;" would
        // match nothing), so a description that names its patterns ("Bitmaps (*.bmp; *.dib) ") gets
        // them again in Qt's form rather than twice.
        QString description = parts[i].trimmed();
        const qsizetype named = description.lastIndexOf(u'(');
        if (description.endsWith(u')') && named > 0) description = description.left(named).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, QString(parts[i + 1]).replace(u';', u' ').simplified());
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtChoosers::OpenFile(const QString& title, const QString& filter, const QString& startPath) {
    const UserCursor arrow;
    return QFileDialog::getOpenFileName(nullptr, title, startPath, QtFileFilter(filter));
}

bool QtChoosers::ChooseColour(uint32_t& colour) {
    const UserCursor arrow;
    // The editor's background colour is the program's only colour choice.
    const QColor chosen =
        QColorDialog::getColor(FromStored(colour), nullptr, QStringLiteral("Choose Background Colour. . ."));
    if (!chosen.isValid()) return false;
    colour = ToStored(chosen);
    return true;
}

bool QtChoosers::ChooseFont(QFont& font, uint32_t& colour) {
    FontColourDialog dialog(font, colour);
    const UserCursor arrow;
    if (dialog.exec() != QDialog::Accepted) return false;
    font = dialog.SelectedFont();
    colour = dialog.SelectedColour();
    return true;
}

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

namespace {
std::unique_ptr<ISoundPlayer> LoadSoundModule() {
    using Make = ISoundPlayer* (*)();
    if (const auto make =
            reinterpret_cast<Make>(Modules::Resolve(QStringLiteral("pvl3_sound"), "pvl3_new_sound_player")))
        return std::unique_ptr<ISoundPlayer>(make());
    std::fprintf(stderr, "pinvale3: the sound module pvl3_sound was not found; sounds are not played\n");
    return nullptr;
}
} // namespace

void QtSoundPlayer::Play(const QString& path) {
    // Nothing to stop before the first sound, and nothing to load for a sound that cannot play.
    if (!m_player && (path.isEmpty() || !QFileInfo(path).isFile())) return;
    if (!m_player && !m_tried) {
        m_tried = true;
        m_player = LoadSoundModule();
    }
    if (m_player) m_player->Play(path);
}

QDateTime QtClock::Now() {
    return QDateTime::currentDateTime();
}

int32_t QtScreen::WidthTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * TwipsPerPixelX() : 640 * TwipsPerPixelX();
}

int32_t QtScreen::HeightTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() * TwipsPerPixelY() : 480 * TwipsPerPixelY();
}

QPoint QtScreen::OriginTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    return {screen->geometry().x() * TwipsPerPixelX(), screen->geometry().y() * TwipsPerPixelY()};
}

QRect QtScreen::WorkAreaTwips() {
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return IScreen::WorkAreaTwips();
    const QRect area = screen->availableGeometry();
    return QRect(area.x() * TwipsPerPixelX(), area.y() * TwipsPerPixelY(), area.width() * TwipsPerPixelX(),
                 area.height() * TwipsPerPixelY());
}

void QtProcessEnd::EndNow() {
    // Every file is written and closed within the handler that writes it, so nothing is pending here.
    std::fflush(nullptr);
    ::_exit(0);
}

std::unique_ptr<cSysTray> QtTrayFactory::CreateTray(QObject* parent) {
    // An XEmbed tray on X11 gets the program's own icon window, which animates without waking the program
    // between frames; a StatusNotifierItem host, Wayland, or an X server without XRender gets Qt's.
    if (!StatusNotifierHostPresent())
        if (std::unique_ptr<cSysTray> tray = XEmbedTray::Create(parent)) return tray;
    return std::make_unique<QtSysTray>(parent);
}
