#pragma once
// Reads the integers and length-prefixed strings of a project file.
//
// Failure is sticky: after the first short read or impossible length every
// later call fails too and leaves its output untouched, so a reader can fill a
// record field by field and keep what it read before the damage. Lengths are
// checked against the bytes left, and data is read in bounded chunks, so a
// forged length never causes a large allocation.

#include <QString>
#include <QtGlobal>

class QIODevice;

class ArchiveReader {
public:
    explicit ArchiveReader(QIODevice &device) : m_device(device) {}

    bool ReadInt(int *value);
    // Single-byte strings are Windows-1252; the 0xFF 0xFFFE form is UTF-16LE.
    // A string longer than `maxLength` characters counts as damage.
    bool ReadString(QString *text, qint64 maxLength = -1);
    bool SkipInt();
    bool SkipString();

    bool ok() const { return m_ok; }

private:
    bool Fail();
    bool ReadRaw(qint64 count, QByteArray *out);
    bool ReadByteOrWord(qint64 *length, quint16 *word, bool *isByte);
    bool ReadLength(qint64 *length, bool *wide);

    QIODevice &m_device;
    bool m_ok = true;
};
