#include "core/mdlBin.h"

#include <QStringDecoder>
#include <QtEndian>
#include <array>
#include <cstring>

namespace mdlBin {

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five undefined codes, which map to the C1 control of that value.
constexpr std::array<char16_t, 32> HighTable = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Every byte's character, so that decoding a text is one look-up a byte.
constexpr std::array<char16_t, 256> DecodeTable = [] {
    std::array<char16_t, 256> table{};
    for (size_t byte = 0; byte < table.size(); ++byte) {
        const bool high = byte >= 0x80 && byte < 0xA0 && HighTable[byte - 0x80] != 0;
        table[byte] = high ? HighTable[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return table;
}();

char16_t Decode(uint8_t byte) {
    return DecodeTable[byte];
}

// False for a character the code page cannot hold.
bool Encode(char16_t ch, char& byte) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        byte = static_cast<char>(ch);
        return true;
    }
    for (size_t i = 0; i < HighTable.size(); ++i) {
        const char16_t code = static_cast<char16_t>(0x80 + i);
        if (HighTable[i] == ch || (HighTable[i] == 0 && code == ch)) {
            byte = static_cast<char>(code);
            return true;
        }
    }
    byte = '?';
    return false;
}

// The code page's bytes; false when some character became '?'.
bool EncodeAnsi(const QString& text, QByteArray& out) {
    bool all = true;
    out.clear();
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        // A character outside the Basic Multilingual Plane is one '?', not two.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        char byte;
        all = Encode(ch.unicode(), byte) && all;
        out.append(byte);
    }
    return all;
}

const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");
} // namespace

QByteArray ToAnsi(const QString& text) {
    QByteArray out;
    EncodeAnsi(text, out);
    return out;
}

QByteArray EncodeString(const QString& text) {
    QByteArray ansi;
    if (EncodeAnsi(text, ansi) && !ansi.startsWith(Utf8Mark)) return ansi;
    return Utf8Mark + text.toUtf8();
}

QString DecodeString(QByteArrayView bytes) {
    if (bytes.startsWith(Utf8Mark)) {
        // A mark after the first one belongs to the text; a cut-off last character is an error too.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf8(bytes.sliced(Utf8Mark.size()));
        if (!utf8.hasError()) return text;
    }
    return FromAnsi(bytes);
}

QString FromAnsi(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data(); // one detach check, not one a character
    for (const char byte : bytes) *to++ = QChar(Decode(static_cast<uint8_t>(byte)));
    return out;
}

void BinWriter::WriteDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char raw[8];
    qToLittleEndian(bits, raw);
    m_bytes.append(raw, 8);
}

void BinWriter::WriteInt16(int16_t value) {
    char raw[2];
    qToLittleEndian(value, raw);
    m_bytes.append(raw, 2);
}

void BinWriter::WriteInt32(int32_t value) {
    char raw[4];
    qToLittleEndian(value, raw);
    m_bytes.append(raw, 4);
}

void BinWriter::WriteByte(uint8_t value) {
    m_bytes.append(static_cast<char>(value));
}

void BinReader::Fail(const QString& reason) {
    if (!m_ok) return;
    m_ok = false;
    m_error = reason;
}

QByteArrayView BinReader::Take(qint64 count, const char* what) {
    if (!m_ok) return {};
    if (count < 0 || count > m_bytes.size() - m_pos) {
        Fail(QStringLiteral("damaged: %1 at byte %2 runs past the end of the file").arg(what).arg(m_pos));
        return {};
    }
    const QByteArrayView bytes = QByteArrayView(m_bytes).sliced(m_pos, count);
    m_pos += count;
    return bytes;
}

double BinReader::ReadDouble() {
    const QByteArrayView raw = Take(8, "a number");
    if (!m_ok) return 0.0;
    const uint64_t bits = qFromLittleEndian<uint64_t>(raw.constData());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int16_t BinReader::ReadInt16() {
    const QByteArrayView raw = Take(2, "a number");
    return m_ok ? qFromLittleEndian<int16_t>(raw.constData()) : 0;
}

int32_t BinReader::ReadInt32() {
    const QByteArrayView raw = Take(4, "a number");
    return m_ok ? qFromLittleEndian<int32_t>(raw.constData()) : 0;
}

uint8_t BinReader::ReadByte() {
    const QByteArrayView raw = Take(1, "a byte");
    return m_ok ? static_cast<uint8_t>(raw.at(0)) : 0;
}

QByteArrayView BinReader::ReadBytes(qint64 count) {
    return Take(count, "a text");
}

void WriteBinString(const QString& text, BinWriter& file) {
    const QByteArray bytes = EncodeString(text);
    file.WriteInt32(static_cast<int32_t>(bytes.size()));
    for (char byte : bytes) file.WriteByte(static_cast<uint8_t>(byte));
}

QString ReadBinString(BinReader& file) {
    const int32_t length = file.ReadInt32();
    if (file.Ok() && length < 0) file.Fail(QStringLiteral("damaged: a text has the negative length %1").arg(length));
    return DecodeString(file.ReadBytes(length));
}

} // namespace mdlBin
