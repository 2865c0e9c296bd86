#include "notes/NoteColours.h"

#include "core/mdlStructures.h"
#include "platform/StoredColour.h"
#include <QGuiApplication>
#include <QPalette>

namespace NoteColours {

namespace {

// The classic system colour numbers, each matched with the palette role that plays the same part.
QColor SystemColour(uint32_t index, const QPalette& p) {
    switch (index) {
    case 0x00:
        return p.color(QPalette::Button); // scroll bars
    case 0x01:
        return p.color(QPalette::Dark); // desktop
    case 0x02:
        return p.color(QPalette::Highlight); // active caption
    case 0x03:
        return p.color(QPalette::Mid); // inactive caption
    case 0x04:
        return p.color(QPalette::Window); // menu bar
    case 0x05:
        return p.color(QPalette::Base); // window background
    case 0x06:
        return p.color(QPalette::Shadow); // window frame
    case 0x07:
        return p.color(QPalette::WindowText); // menu text
    case 0x08:
        return p.color(QPalette::Text); // window text
    case 0x09:
        return p.color(QPalette::HighlightedText); // caption text
    case 0x0A:
        return p.color(QPalette::Button); // active border
    case 0x0B:
        return p.color(QPalette::Button); // inactive border
    case 0x0C:
        return p.color(QPalette::Dark); // application workspace
    case 0x0D:
        return p.color(QPalette::Highlight);
    case 0x0E:
        return p.color(QPalette::HighlightedText);
    case 0x0F:
        return p.color(QPalette::Button); // button face
    case 0x10:
        return p.color(QPalette::Dark); // button shadow
    case 0x11:
        return p.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12:
        return p.color(QPalette::ButtonText);
    case 0x13:
        return p.color(QPalette::Disabled, QPalette::WindowText); // inactive caption text
    case 0x14:
        return p.color(QPalette::Light); // button highlight
    case 0x15:
        return p.color(QPalette::Shadow); // 3-D dark shadow
    case 0x16:
        return p.color(QPalette::Midlight); // 3-D light
    case 0x17:
        return p.color(QPalette::ToolTipText);
    case 0x18:
        return p.color(QPalette::ToolTipBase);
    default:
        return p.color(QPalette::Window); // an unknown number still gives a usable colour
    }
}

} // namespace

QColor ResolveColour(uint32_t colour) {
    if (colour & SystemColourFlag) return SystemColour(colour & ~SystemColourFlag, QGuiApplication::palette());
    return FromStored(colour);
}

} // namespace NoteColours
