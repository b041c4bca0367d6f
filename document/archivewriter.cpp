#include "archivewriter.h"

#include "platform/windows1252.h"

#include <QIODevice>
#include <QtEndian>

void ArchiveWriter::WriteRaw(const char *data, qint64 size)
{
    if (m_ok && size > 0 && m_device.write(data, size) != size)
        m_ok = false;
}

void ArchiveWriter::WriteInt(int value)
{
    char raw[4];
    qToLittleEndian<qint32>(value, raw);
    WriteRaw(raw, 4);
}

void ArchiveWriter::WriteLength(qint64 length)
{
    char raw[4];
    if (length < 0xFF) {
        raw[0] = char(length);
        WriteRaw(raw, 1);
        return;
    }
    raw[0] = char(0xFF);
    WriteRaw(raw, 1);
    // 0xFFFE is the UTF-16 marker, so that length needs the long form too.
    if (length < 0xFFFE) {
        qToLittleEndian<quint16>(quint16(length), raw);
        WriteRaw(raw, 2);
        return;
    }
    qToLittleEndian<quint16>(0xFFFF, raw);
    WriteRaw(raw, 2);
    qToLittleEndian<quint32>(quint32(length), raw);
    WriteRaw(raw, 4);
}

void ArchiveWriter::WriteString(const QString &text)
{
    QByteArray bytes;
    if (ToWindows1252(text, &bytes)) {
        WriteLength(bytes.size());
        WriteRaw(bytes.constData(), bytes.size());
        return;
    }
    const char marker[3] = {char(0xFF), char(0xFE), char(0xFF)};
    WriteRaw(marker, 3);
    WriteLength(text.size());
    QByteArray utf16(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text[i].unicode(), utf16.data() + 2 * i);
    WriteRaw(utf16.constData(), utf16.size());
}
