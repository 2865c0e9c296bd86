#pragma once
// What TrayNotes does for the tray window and the tray menu alike.
class Program;

namespace TrayNotes {
// ShowNotes with the tray's choice of notes: TrayWhich + 1, and only enabled ones when TrayOnlyEnabled is 1.
void ShowTrayNotes(Program& P);
// The alarm (when PlayAlarm is 1), then the notes, then the alarm picture in the tray for 21 ticks.
// A missing or unplayable alarm file plays nothing; the notes are shown all the same.
void AlarmAndShow(Program& P);
// Opens the manager, or brings it to the front when it is open already.
void ShowManager(Program& P);
} // namespace TrayNotes
