#pragma once
// Writes the integers and length-prefixed strings of a project file.
// Failure is sticky: once a write falls short, ok() stays false.

#include <QString>

class QIODevice;

class ArchiveWriter {
public:
    explicit ArchiveWriter(QIODevice &device) : m_device(device) {}

    void WriteInt(int value);
    // Windows-1252 when every character has a byte there, otherwise the UTF-16
    // form that every reader accepts, so no text is lost.
    void WriteString(const QString &text);

    bool ok() const { return m_ok; }

private:
    void WriteRaw(const char *data, qint64 size);
    void WriteLength(qint64 length);

    QIODevice &m_device;
    bool m_ok = true;
};
