#include "notes/ShowNotes.h"

#include "app/Program.h"
#include "app/frmStealth.h"
#include "core/NativeFile.h"
#include "core/NoteFile.h"
#include "core/NotesFolder.h"
#include "core/TypeCheck.h"
#include "manager/frmManager.h"
#include "notes/frmNotes.h"
#include "platform/WaitCursor.h"
#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace mdlCommonFunc {

namespace {

constexpr int32_t CascadeStepTwips = 120;
// A new window opens only while this many or fewer are open, so at most one more than this are open.
constexpr int32_t MaxOpenBeforeNew = 30;

// The full path of the line selected in the manager's list; empty without the manager or a selection.
QString SelectedFile(Program& P) {
    if (!P.ManagerOpen || !P.ManagerWindow) return {};
    return P.ManagerWindow->SelectedFile();
}

int32_t DateNumber(const QDate& date) {
    return date.year() * 10000 + date.month() * 100 + date.day();
}

struct Selection {
    int16_t OnlyEnabled;
    int16_t Which;
    QString SelectedFile;
    int32_t Today;
};

// A note whose head cannot be read is not due: it cannot be told whether it is enabled or in its dates.
bool Qualifies(const QString& path, const Selection& s) {
    const bool onlyEnabled = s.OnlyEnabled == -1;
    NoteRecord head;
    switch (s.Which) {
    case 0:
        if (s.SelectedFile.isEmpty() || TypeCheck::TrimBlanks(path) != TypeCheck::TrimBlanks(s.SelectedFile))
            return false;
        break;
    case 1:
        if (!NoteFile::ReadNoteHead(path, head, NoteFile::Head::Dates)) return false;
        if (head.ShowFrom > s.Today || s.Today > head.ShowUntil) return false;
        return !onlyEnabled || head.Enabled == 1;
    case 2:
        break;
    default:
        return false;
    }
    if (!onlyEnabled) return true;
    return NoteFile::ReadNoteHead(path, head, NoteFile::Head::Enabled) && head.Enabled == 1;
}

// Whether Qualifies reads every listed note: by its dates, or by its mark when any note may be shown.
bool LooksIntoEveryNote(const Selection& s) {
    return s.Which == 1 || (s.Which == 2 && s.OnlyEnabled == -1);
}

void SelectNotes(Program& P, const Selection& s) {
    if (s.OnlyEnabled != -1 && s.OnlyEnabled != 0) return;
    const QString folder = P.Settings.NotesFolder;
    if (LooksIntoEveryNote(s)) NativeFile::SharedReads::ReadAhead(folder, P.Stealth().flbNotes.Names());
    for (const QString& name : P.Stealth().flbNotes.Names()) {
        const QString path = folder + name;
        if (Qualifies(path, s)) P.ShownNotes.push_back({path, false});
    }
}

// The notes of one showing that should have had a window but could not be read whole: each is named
// once, in one message at the end of the showing.
using Unreadable = std::vector<std::pair<QString, QString>>; // path, reason

void Remember(Unreadable& unreadable, const QString& path, const QString& reason) {
    for (const auto& known : unreadable)
        if (known.first == path) return;
    unreadable.emplace_back(path, reason);
}

void Tell(Program& P, const Unreadable& unreadable) {
    if (unreadable.empty()) return;
    QString files;
    for (const auto& [path, reason] : unreadable) files += QStringLiteral("\n%1 (%2)").arg(path, reason);
    P.S.Questions.Message(QStringLiteral("Pinvale 3"),
                          QStringLiteral("Pinvale 3 cannot show %1:\n%2\n\nNothing was changed. Check the file, or "
                                         "delete the note in ManageNotes.")
                              .arg(unreadable.size() == 1
                                       ? QStringLiteral("this note, as its file cannot be read whole")
                                       : QStringLiteral("these notes, as their files cannot be read whole"),
                                   files));
}

// Opens a window for entry Index. The note is read before the window is made: a note file that vanished
// or is damaged since it was listed gets no window and takes no place in the cascade; its entry stays
// unopened, like an entry over the window limit. False when no window was opened.
bool OpenNoteWindow(Program& P, int32_t Index, const QString& mode, Unreadable& unreadable) {
    const QString path = P.Shown(Index).FilePath;
    NoteRecord note;
    QString error;
    if (!NoteFile::ReadNote(path, note, &error)) {
        Remember(unreadable, path, error);
        return false;
    }

    auto* NewNote = new frmNotes(P);
    NewNote->Form_Load();
    // Where the arrangement puts it on the primary screen, even a cascade step past the screen's edge:
    // the next run starts again near the top.
    const NotePlace place = NextNotePlace(P);
    const QPoint origin = P.S.Screen.OriginTwips();
    NewNote->PlaceNote(origin.x() + place.Left, origin.y() + place.Top, NewNote->WidthTwips(), NewNote->HeightTwips());
    P.ShowRecord = note;
    NewNote->ApplyNote(P.ShowRecord);
    NewNote->lblFileNamePath = path;
    NewNote->lblIndex = QStringLiteral(" ") + QString::number(Index);
    P.Shown(Index).IsOpen = true;
    NewNote->lblAct = P.ShowRecord.LoadSound;
    NewNote->lblDAct = P.ShowRecord.CloseSound;
    NewNote->lblPlay = P.ShowRecord.ButtonSound;
    NewNote->lblMode = mode;
    if (mode.isEmpty()) NewNote->HideNavButtons();
    NewNote->ShowNote();
    // A sound that cannot be played plays nothing; the note stays.
    if (!P.ShowRecord.LoadSound.isEmpty()) mdlSound::PlayWave(P.S.Sound, P.ShowRecord.LoadSound);
    return true;
}

// The new entries, all read at once: each of them is read below. They are notes of the notes folder.
void ReadAheadNew(Program& P, int32_t PrevCount) {
    const QString& folder = P.Settings.NotesFolder;
    QStringList names;
    names.reserve(P.ShownCount() - PrevCount);
    for (int32_t Index = PrevCount + 1; Index <= P.ShownCount(); ++Index) {
        const QString& path = P.Shown(Index).FilePath;
        if (path.startsWith(folder)) names.push_back(path.mid(folder.size()));
    }
    NativeFile::SharedReads::ReadAhead(folder, names);
}

// The stack: one window that pages through ShownNotes, at the first new entry (or the last one when
// nothing new was selected). A damaged first entry hands over to the next readable new one. The window
// pages through every new entry, so each of them that cannot be read is told now.
void OpenStack(Program& P, int32_t PrevCount, Unreadable& unreadable) {
    CountOpenNotes(P);
    if (P.OpenNoteCount > MaxOpenBeforeNew) return;
    ReadAheadNew(P, PrevCount);
    int32_t Index = std::min(PrevCount + 1, P.ShownCount());
    while (Index <= P.ShownCount() && !OpenNoteWindow(P, Index, QStringLiteral("Single"), unreadable)) ++Index;
    for (++Index; Index <= P.ShownCount(); ++Index) {
        NoteRecord note;
        QString error;
        if (!NoteFile::ReadNote(P.Shown(Index).FilePath, note, &error))
            Remember(unreadable, P.Shown(Index).FilePath, error);
    }
}

// Counted once and then kept up to date: nothing closes a window while this runs. Past the limit the
// remaining entries stay unopened.
void OpenEach(Program& P, int32_t PrevCount, Unreadable& unreadable) {
    CountOpenNotes(P);
    for (int32_t Index = PrevCount + 1; Index <= P.ShownCount() && P.OpenNoteCount <= MaxOpenBeforeNew; ++Index)
        if (OpenNoteWindow(P, Index, QString(), unreadable)) ++P.OpenNoteCount;
}

} // namespace

NotePlace NextNotePlace(Program& P) {
    IScreen& screen = P.S.Screen;
    ++P.CascadeStep;
    NotePlace place;
    if (P.Settings.Arrangement == 2) {
        const double r1 = P.S.Random.Next();
        place.Top = static_cast<int32_t>(
            std::floor(r1 * (screen.HeightTwips() - P.Settings.NoteHeight * screen.TwipsPerPixelY() + 1)));
        const double r2 = P.S.Random.Next();
        place.Left = static_cast<int32_t>(
            std::floor(r2 * (screen.WidthTwips() - P.Settings.NoteWidth * screen.TwipsPerPixelX() + 1)));
        return place;
    }
    place.Top = P.CascadeStep * CascadeStepTwips;
    place.Left = (P.CascadeStep + P.CascadeColumn) * CascadeStepTwips;
    // A run that went past the bottom starts again at the top, two steps to the right; runs that drifted
    // past the right edge fall back to the first column. Both count from the next window on.
    if (screen.HeightTwips() < place.Top) {
        P.CascadeStep = 0;
        P.CascadeColumn += 2;
    }
    if (screen.WidthTwips() < place.Left) P.CascadeColumn = 1;
    return place;
}

void ShowNotes(Program& P, int16_t OnlyEnabled, int16_t Which) {
    WaitCursor hourglass;
    // A note the selection looked into is not read from disk again for its window.
    const NativeFile::SharedReads oneRead;
    const int32_t PrevCount = P.ShownCount();
    const Selection selection{OnlyEnabled, Which, Which == 0 ? SelectedFile(P) : QString(),
                              DateNumber(P.S.Clock.Now().date())};
    SelectNotes(P, selection);
    if (P.ShownCount() == 0) return;
    Unreadable unreadable;
    switch (P.Settings.Arrangement) {
    case 0:
        OpenStack(P, PrevCount, unreadable);
        break;
    case 1:
    case 2:
        OpenEach(P, PrevCount, unreadable);
        break;
    default: // an arrangement the manager never writes: the notes are listed, but no window opens
        break;
    }
    // Told once the showing is done: a message box waits in an event loop of its own, in which the tray's
    // next showing or the start's next step must not run half-way through this one.
    if (!unreadable.empty())
        QTimer::singleShot(0, qApp, [&P, unreadable] {
            if (!P.Ending()) Tell(P, unreadable);
        });
}

} // namespace mdlCommonFunc
