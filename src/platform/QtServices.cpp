#include "platform/QtServices.h"

#include "platform/QtSysTray.h"
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>
#include <unistd.h>

bool QtQuestions::AskYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No);
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor); // an hourglass may be up while the program asks
    const int answer = box.exec();
    QGuiApplication::restoreOverrideCursor();
    return answer == QMessageBox::Yes;
}

void QtQuestions::Message(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    box.exec();
}

QString QtQuestions::InputBox(const QString& prompt, const QString& title, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

QString QtFileFilter(const QString& programFilter) {
    const QStringList parts = programFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' '));
    return filters.join(QStringLiteral(";;"));
}

QString QtChoosers::OpenFile(const QString& title, const QString& filter, const QString& startPath) {
    return QFileDialog::getOpenFileName(nullptr, title, startPath, QtFileFilter(filter));
}

namespace {
QColor FromBgr(uint32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
uint32_t ToBgr(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}
} // namespace

bool QtChoosers::ChooseColour(uint32_t& colour) {
    const QColor chosen = QColorDialog::getColor((colour & 0x80000000u) ? QColor(Qt::white) : FromBgr(colour));
    if (!chosen.isValid()) return false;
    colour = ToBgr(chosen);
    return true;
}

bool QtChoosers::ChooseFont(QFont& font, uint32_t&) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font);
    if (ok) font = chosen;
    return ok;
}

QtSoundPlayer::QtSoundPlayer() : m_effect(std::make_unique<QSoundEffect>()) {}
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::Play(const QString& path) {
    m_effect->stop(); // a new sound cuts off the last, even when the new one cannot play
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    m_effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    m_effect->play();
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

// Qt places every screen on one desktop in logical pixels, each already scaled for its own density, so
// 15 twips per logical pixel holds on every screen.
QList<QRect> QtScreen::ScreensTwips() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        screens.append(QRect(g.x() * TwipsPerPixelX(), g.y() * TwipsPerPixelY(), g.width() * TwipsPerPixelX(),
                             g.height() * TwipsPerPixelY()));
    }
    return screens.isEmpty() ? IScreen::ScreensTwips() : screens;
}

void QtProcessEnd::EndNow() {
    // Every file is written and closed within the handler that writes it, so nothing is pending here.
    std::fflush(nullptr);
    ::_exit(0);
}

std::unique_ptr<cSysTray> QtTrayFactory::CreateTray(QObject* parent) {
    return std::make_unique<QtSysTray>(parent);
}
