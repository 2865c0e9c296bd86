#include "fakes/FakeServices.h"

#include "core/ProgramFolder.h"
#include "core/SettingsFile.h"
#include <QCoreApplication>
#include <QFile>

bool FakeQuestions::AskYesNo(const QString& title, const QString& text) {
    Questions.push_back({title, text});
    if (Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void FakeQuestions::Message(const QString& title, const QString& text, MessageIcon icon) {
    Messages.push_back({title, text, icon});
}

QString FakeQuestions::InputBox(const QString& prompt, const QString& title, const QString&) {
    Questions.push_back({title, prompt});
    if (Inputs.empty()) return {};
    const QString input = Inputs.front();
    Inputs.pop_front();
    return input;
}

QString FakeChoosers::OpenFile(const QString& title, const QString&, const QString& startPath) {
    FileTitles << title;
    FileStarts << startPath;
    if (Files.empty()) return {};
    const QString file = Files.front();
    Files.pop_front();
    return file;
}

bool FakeChoosers::ChooseColour(uint32_t& colour) {
    ColoursHandedIn.push_back(colour);
    if (Colours.empty() || !Colours.front()) {
        if (!Colours.empty()) Colours.pop_front();
        return false;
    }
    colour = *Colours.front();
    Colours.pop_front();
    return true;
}

bool FakeChoosers::ChooseFont(QFont& font, uint32_t& colour) {
    FontsHandedIn.push_back(font);
    if (Fonts.empty() || !Fonts.front()) {
        if (!Fonts.empty()) Fonts.pop_front();
        return false;
    }
    font = Fonts.front()->Font;
    colour = Fonts.front()->Colour;
    Fonts.pop_front();
    return true;
}

double FakeRandom::Next() {
    if (Sequence.empty()) return 0.0;
    const double value = Sequence.front();
    Sequence.pop_front();
    return value;
}

std::unique_ptr<cSysTray> FakeTrayFactory::CreateTray(QObject* parent) {
    auto tray = std::make_unique<FakeSysTray>(parent);
    Last = tray.get();
    return tray;
}

TestProgram::TestProgram()
    : P(std::make_unique<Program>(Services{Questions, Choosers, Sound, Clock, Screen, Random, ProcessEnd, TrayFactory},
                                  ProgramFolder())) {}

// Windows closed during the test are deleted later; they must go while the program they point at is there
// (the sanitizer build caught a tray window reading its program after it was gone).
TestProgram::~TestProgram() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    P.reset();
}

QString TestProgram::ProgramFolder() const {
    return mdlCommonFunc::WithSeparator(Folder.path());
}

QByteArray TestProgram::Marker() const {
    QFile f(ProgramFolder() + mdlCommonFunc::TrayLockFileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("absent");
}
