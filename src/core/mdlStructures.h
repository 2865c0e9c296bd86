#pragma once
// The program's records. Declaration order follows the program's documents; the byte order on disk is
// fixed separately by the readers and writers (NoteFile.cpp, SettingsFile.cpp).
#include <QString>
#include <array>
#include <cstdint>

// Colour of a new note's text: the system button-text colour, kept as a reference and resolved when drawn.
constexpr uint32_t SystemColourFlag = 0x80000000u;

struct NoteRecord {
    double Version = 3.0;
    QString Text;
    int16_t Enabled = 0;
    int32_t ShowFrom = 0;
    int32_t ShowUntil = 0;
    QString LoadSound;
    QString CloseSound;
    QString ButtonSound;
    uint32_t BackColour = 0;
    QString ImagePath;
    int16_t ImageAlign = 0;  // 0 Tiled, 1 Center, 2 Stretched
    int16_t BorderStyle = 0; // 0 Flat, 1 Raised, 2 Sunken, 3 Etched, 4 Bump
    QString FontName;
    uint32_t FontColour = 0;
    int16_t FontSize = 0;
    int16_t FontItalic = 0;
    int16_t FontBold = 0;
    int16_t FontUnderline = 0;
    int16_t FontStrikethru = 0;
    int16_t TextAlign = 1; // 1 Left, 2 Center, 3 Right

    bool operator==(const NoteRecord&) const = default;
};

// One time of day of the schedule.
struct AtTime {
    uint8_t Enabled = 0;
    uint8_t Hour = 12;
    uint8_t Minute = 30;
    uint8_t AmPm = 1; // 0 AM, 1 PM

    bool operator==(const AtTime&) const = default;
};

struct SettingsRecord {
    uint8_t EveryEnabled = 1;
    uint8_t EveryHours = 3;
    uint8_t EveryMinutes = 0;
    uint8_t TrayOnSystemStart = 1;
    uint8_t ShowOnTrayStart = 1;
    uint8_t AnimateIcon = 1;
    uint8_t PlayAlarm = 1;
    QString AlarmSound;
    std::array<AtTime, 5> AtTimes{};
    uint8_t Arrangement = 0; // 0 stack, 1 cascade, 2 scatter
    int16_t NoteWidth = 180;
    int16_t NoteHeight = 180;
    QString NotesFolder;
    uint8_t TrayWhich = 1; // 0 today's notes, 1 all notes
    uint8_t TrayOnlyEnabled = 1;
    uint8_t PromptDeleteNote = 1;
    uint8_t PromptCloseNote = 0;
    uint8_t PromptNoTrayOnBoot = 1;
    uint8_t PromptNoShowOnTray = 1;
    uint8_t PromptMultiCopies = 1;
    uint8_t PromptApplyEdit = 0;

    bool operator==(const SettingsRecord&) const = default;
};

// One entry of the run-long list of notes handed to note windows.
struct ShownNote {
    QString FilePath;
    bool IsOpen = false;
};
