#include "archivereader.h"

#include "platform/windows1252.h"

#include <QIODevice>
#include <QtEndian>

namespace {
constexpr qint64 kChunk = 64 * 1024;
} // namespace

bool ArchiveReader::Fail()
{
    m_ok = false;
    return false;
}

bool ArchiveReader::ReadRaw(qint64 count, QByteArray *out)
{
    if (!m_ok)
        return false;
    if (!m_device.isSequential() && count > m_device.size() - m_device.pos())
        return Fail();
    QByteArray data;
    // Grow with the data actually present, never with the announced length.
    while (data.size() < count) {
        const QByteArray part = m_device.read(std::min(count - data.size(), kChunk));
        if (part.isEmpty())
            return Fail();
        data.append(part);
    }
    *out = std::move(data);
    return true;
}

bool ArchiveReader::ReadInt(int *value)
{
    QByteArray raw;
    if (!ReadRaw(4, &raw))
        return false;
    *value = qFromLittleEndian<qint32>(raw.constData());
    return true;
}

bool ArchiveReader::SkipInt()
{
    int ignored = 0;
    return ReadInt(&ignored);
}

// A byte below 0xFF, or 0xFF and a 16-bit word: *word is then the word.
bool ArchiveReader::ReadByteOrWord(qint64 *length, quint16 *word, bool *isByte)
{
    QByteArray raw;
    if (!ReadRaw(1, &raw))
        return false;
    *isByte = quint8(raw[0]) < 0xFF;
    if (*isByte) {
        *length = quint8(raw[0]);
        return true;
    }
    if (!ReadRaw(2, &raw))
        return false;
    *word = qFromLittleEndian<quint16>(raw.constData());
    return true;
}

bool ArchiveReader::ReadLength(qint64 *length, bool *wide)
{
    *wide = false;
    quint16 word = 0;
    bool isByte = false;
    if (!ReadByteOrWord(length, &word, &isByte))
        return false;
    if (isByte)
        return true;
    if (word == 0xFFFE) {
        // The UTF-16 marker; the character count follows by the ordinary rule.
        *wide = true;
        if (!ReadByteOrWord(length, &word, &isByte))
            return false;
        if (isByte)
            return true;
    }
    if (word < 0xFFFF) {
        *length = word;
        return true;
    }
    QByteArray raw;
    if (!ReadRaw(4, &raw))
        return false;
    *length = qFromLittleEndian<quint32>(raw.constData());
    return true;
}

bool ArchiveReader::ReadString(QString *text, qint64 maxLength)
{
    qint64 length = 0;
    bool wide = false;
    if (!ReadLength(&length, &wide))
        return false;
    if (maxLength >= 0 && length > maxLength)
        return Fail();
    QByteArray raw;
    if (!ReadRaw(wide ? length * 2 : length, &raw))
        return false;
    if (wide) {
        QString decoded(length, Qt::Uninitialized);
        for (qint64 i = 0; i < length; ++i)
            decoded[i] = QChar(qFromLittleEndian<quint16>(raw.constData() + 2 * i));
        *text = std::move(decoded);
    } else {
        *text = FromWindows1252(raw);
    }
    return true;
}

bool ArchiveReader::SkipString()
{
    QString ignored;
    return ReadString(&ignored);
}
