#pragma once
// What the program asks of the desktop and the machine, each behind a small interface so that tests can
// put a scripted stand-in in its place. The real ones are in QtServices.h, the stand-ins in tests/fakes.
#include "core/mdlSound.h"
#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QObject>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

class QMenu;
class QWidget;

// The icon beside a message: information for plain news, the exclamation mark for a problem the user
// must act on.
enum class MessageIcon { Information, Exclamation };

// Message boxes and the input box. Titles and texts are the program's own.
class IQuestions {
public:
    virtual ~IQuestions() = default;
    // A Yes/No question with the exclamation icon: the question in the title, the explanation in the body.
    // True only for Yes.
    virtual bool AskYesNo(const QString& title, const QString& text) = 0;
    // A message with an OK button.
    virtual void Message(const QString& title, const QString& text, MessageIcon icon) = 0;
    void Message(const QString& title, const QString& text) { Message(title, text, MessageIcon::Information); }
    // Null string when cancelled.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& initial) = 0;
};

// The common dialogs. Empty / false results mean the user cancelled.
class IChoosers {
public:
    virtual ~IChoosers() = default;
    // filter in the program's form: "Description|*.a;*.b|Other|*.c"
    virtual QString OpenFile(const QString& title, const QString& filter, const QString& startPath) = 0;
    virtual bool ChooseColour(uint32_t& colour) = 0; // 0x00BBGGRR in and out
    virtual bool ChooseFont(QFont& font, uint32_t& colour) = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual QDateTime Now() = 0; // local date and time
};

// The primary screen, in twips.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual int32_t WidthTwips() = 0;
    virtual int32_t HeightTwips() = 0;
    virtual int32_t TwipsPerPixelX() = 0;
    virtual int32_t TwipsPerPixelY() = 0;
    // Where the primary screen's top-left corner lies on the desktop, in twips: not always the desktop's
    // own corner, with another screen to its left or above it.
    virtual QPoint OriginTwips() { return {}; }
    // The part of the screen that holds the mouse left free by task bars, in twips from the desktop's
    // origin. A single plain screen by default.
    virtual QRect WorkAreaTwips() { return QRect(0, 0, WidthTwips(), HeightTwips()); }
};

class IRandom {
public:
    virtual ~IRandom() = default;
    virtual void Seed(uint32_t seed) = 0;
    virtual double Next() = 0; // uniform in [0, 1)
};

// Ends the program at once: no close handler and no question runs any more.
class IProcessEnd {
public:
    virtual ~IProcessEnd() = default;
    virtual void EndNow() = 0;
};

// The tray icon control: three properties the program sets, two mouse events it handles.
class cSysTray : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void setIntray(bool inTray) = 0;
    virtual void setTrayicon(const QIcon& icon) = 0;
    virtual void setTraytip(const QString& tip) = 0;
    // False while the desktop has no system tray to show the icon in.
    virtual bool Available() const { return true; }
    // The tray menu, for a tray host that shows an icon's menu itself (StatusNotifierItem hosts do so on a
    // right click, and never tell the program of the click). Elsewhere the program pops up its own.
    virtual void setHostMenu(QMenu* menu) { Q_UNUSED(menu); }

signals:
    void MouseDown(int button); // 1 left, 2 right
    void MouseDblClick();
};

// Makes the tray icon control for the tray window.
class ITrayFactory {
public:
    virtual ~ITrayFactory() = default;
    virtual std::unique_ptr<cSysTray> CreateTray(QObject* parent) = 0;
};

// Everything above, as the program receives it from main() or a test.
struct Services {
    IQuestions& Questions;
    IChoosers& Choosers;
    ISoundPlayer& Sound;
    IClock& Clock;
    IScreen& Screen;
    IRandom& Random;
    IProcessEnd& ProcessEnd;
    ITrayFactory& TrayFactory;
};
