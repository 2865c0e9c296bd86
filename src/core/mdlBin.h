#pragma once
// Little-endian binary fields and length-prefixed strings, the building blocks of both the note file and the
// settings file.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace mdlBin {

// Windows-1252 <-> Unicode. A character the code page cannot hold becomes '?'.
QByteArray ToAnsi(const QString& text);
QString FromAnsi(QByteArrayView bytes);

// The bytes of a length-prefixed string: Windows-1252 when the code page holds the text, so Western files
// stay identical with every other copy; otherwise EF BB BF and the UTF-8 bytes. A Windows-1252 text that
// starts with those three bytes ("ï»¿") takes the UTF-8 form too, or it would read back as something else.
QByteArray EncodeString(const QString& text);
// UTF-8 only for EF BB BF followed by valid UTF-8; anything else (a file from elsewhere) is Windows-1252.
QString DecodeString(QByteArrayView bytes);

// Appends fields to a byte buffer; the caller writes the buffer out whole.
class BinWriter {
public:
    void WriteDouble(double value);
    void WriteInt16(int16_t value);
    void WriteInt32(int32_t value);
    void WriteByte(uint8_t value);
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads fields from a file's bytes, already read, never past their end. After the first failure every
// later read fails too and Ok() stays false, so a caller may read a whole record and check once.
class BinReader {
public:
    explicit BinReader(const QByteArray& bytes) : m_bytes(bytes) {}
    double ReadDouble();
    int16_t ReadInt16();
    int32_t ReadInt32();
    uint8_t ReadByte();
    QByteArrayView ReadBytes(qint64 count); // valid while the reader is
    bool Ok() const { return m_ok; }
    const QString& Error() const { return m_error; }
    void Fail(const QString& reason);

private:
    QByteArrayView Take(qint64 count, const char* what);
    QByteArray m_bytes;
    qint64 m_pos = 0;
    bool m_ok = true;
    QString m_error;
};

void WriteBinString(const QString& text, BinWriter& file);
QString ReadBinString(BinReader& file);

} // namespace mdlBin
