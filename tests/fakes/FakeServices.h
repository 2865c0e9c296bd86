#pragma once
// Stand-ins for every platform service: they record what the program asked and answer from a script.
#include "app/Program.h"
#include "platform/Services.h"
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>

class FakeQuestions : public IQuestions {
public:
    struct Asked {
        QString Title;
        QString Text;
        MessageIcon Icon = MessageIcon::Information; // messages only
    };
    std::deque<bool> Answers; // answers to AskYesNo in order; No when the queue is empty
    std::deque<QString> Inputs;
    std::vector<Asked> Questions;
    std::vector<Asked> Messages;

    bool AskYesNo(const QString& title, const QString& text) override;
    using IQuestions::Message;
    void Message(const QString& title, const QString& text, MessageIcon icon) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& initial) override;
};

class FakeChoosers : public IChoosers {
public:
    std::deque<QString> Files; // empty string = cancelled
    std::deque<std::optional<uint32_t>> Colours;
    std::vector<uint32_t> ColoursHandedIn;
    struct FontChoice {
        QFont Font;
        uint32_t Colour = 0;
    };
    std::deque<std::optional<FontChoice>> Fonts;
    QStringList FileTitles;
    QStringList FileStarts;
    std::vector<QFont> FontsHandedIn;

    QString OpenFile(const QString& title, const QString& filter, const QString& startPath) override;
    bool ChooseColour(uint32_t& colour) override;
    bool ChooseFont(QFont& font, uint32_t& colour) override;
};

class FakeSound : public ISoundPlayer {
public:
    QStringList Played;
    void Play(const QString& path) override { Played << path; }
};

class FakeClock : public IClock {
public:
    QDateTime Current{QDate(2026, 12, 5), QTime(10, 30)};
    QDateTime Now() override { return Current; }
};

class FakeScreen : public IScreen {
public:
    int32_t Width = 1024 * 15;
    int32_t Height = 768 * 15;
    int32_t WidthTwips() override { return Width; }
    int32_t HeightTwips() override { return Height; }
    int32_t TwipsPerPixelX() override { return 15; }
    int32_t TwipsPerPixelY() override { return 15; }
    QPoint Origin; // the primary screen's corner on the desktop
    QPoint OriginTwips() override { return Origin; }
    std::optional<QRect> Area; // the screen holding the mouse; the whole screen when unset
    QRect WorkAreaTwips() override { return Area ? *Area : IScreen::WorkAreaTwips(); }
};

class FakeRandom : public IRandom {
public:
    std::deque<double> Sequence; // 0 when empty
    std::optional<uint32_t> Seeded;
    void Seed(uint32_t seed) override { Seeded = seed; }
    double Next() override;
};

class FakeProcessEnd : public IProcessEnd {
public:
    int Calls = 0;
    void EndNow() override { ++Calls; }
};

class FakeSysTray : public cSysTray {
    Q_OBJECT
public:
    using cSysTray::cSysTray;
    bool InTray = false;
    QString Tip;
    QIcon Icon;
    int IconSets = 0;
    void setIntray(bool inTray) override { InTray = inTray; }
    void setTrayicon(const QIcon& icon) override {
        Icon = icon;
        ++IconSets;
    }
    void setTraytip(const QString& tip) override { Tip = tip; }
    bool TrayAvailable = true;
    bool Available() const override { return TrayAvailable; }
    QMenu* HostMenu = nullptr;
    void setHostMenu(QMenu* menu) override { HostMenu = menu; }
    void Press(int button) { emit MouseDown(button); }
    void DoubleClick() { emit MouseDblClick(); }
};

class FakeTrayFactory : public ITrayFactory {
public:
    FakeSysTray* Last = nullptr; // the most recent tray control made; owned by its tray window
    std::unique_ptr<cSysTray> CreateTray(QObject* parent) override;
};

// A program folder of its own (a fresh temporary folder), fake services and a Program over them.
struct TestProgram {
    QTemporaryDir Folder;
    FakeQuestions Questions;
    FakeChoosers Choosers;
    FakeSound Sound;
    FakeClock Clock;
    FakeScreen Screen;
    FakeRandom Random;
    FakeProcessEnd ProcessEnd;
    FakeTrayFactory TrayFactory;
    std::unique_ptr<Program> P;

    TestProgram();
    ~TestProgram();
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;
    QString ProgramFolder() const; // ends in the separator
    QByteArray Marker() const;     // the running marker's bytes; "absent" without the file
    Program& operator*() { return *P; }
    Program* operator->() { return P.get(); }
};
