#pragma once
// Colours as the program's files store them: 0x00BBGGRR. A system colour reference (0x80000000 + n) is
// not a colour of its own; it is resolved where it is drawn.
#include <QColor>
#include <cstdint>

inline QColor FromStored(uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

inline uint32_t ToStored(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}
