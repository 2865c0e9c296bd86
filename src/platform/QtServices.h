#pragma once
// The real services: Qt's dialogs, QSoundEffect, the system clock and screen, QSystemTrayIcon.
#include "platform/Services.h"
#include <QRandomGenerator>
#include <memory>

class QtQuestions : public IQuestions {
public:
    bool AskYesNo(const QString& title, const QString& text) override;
    using IQuestions::Message;
    void Message(const QString& title, const QString& text, MessageIcon icon) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& initial) override;
};

class QtChoosers : public IChoosers {
public:
    QString OpenFile(const QString& title, const QString& filter, const QString& startPath) override;
    bool ChooseColour(uint32_t& colour) override;
    bool ChooseFont(QFont& font, uint32_t& colour) override;
};

// "Desc|*.a;*.b|Other|*.c" -> "Desc (*.a *.b);;Other (*.c)"
QString QtFileFilter(const QString& programFilter);

// Hands every sound to the player in the "pvl3_sound" module, loaded with the first sound. Where the module
// cannot be found or loaded the program plays nothing, and says so once on standard error.
class QtSoundPlayer : public ISoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void Play(const QString& path) override;
    bool Loaded() const { return m_player != nullptr; }

private:
    std::unique_ptr<ISoundPlayer> m_player;
    bool m_tried = false;
};

class QtClock : public IClock {
public:
    QDateTime Now() override;
};

class QtScreen : public IScreen {
public:
    int32_t WidthTwips() override;
    int32_t HeightTwips() override;
    int32_t TwipsPerPixelX() override { return 15; }
    int32_t TwipsPerPixelY() override { return 15; }
    QRect WorkAreaTwips() override;
    QPoint OriginTwips() override;
};

class QtRandom : public IRandom {
public:
    void Seed(uint32_t seed) override { m_generator.seed(seed); }
    double Next() override { return m_generator.generateDouble(); }

private:
    QRandomGenerator m_generator;
};

class QtProcessEnd : public IProcessEnd {
public:
    void EndNow() override;
};

class QtTrayFactory : public ITrayFactory {
public:
    std::unique_ptr<cSysTray> CreateTray(QObject* parent) override;
};
