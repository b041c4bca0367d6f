#pragma once
// The first bytes of a file, read with one open, one read and one close.
// Scanning a gallery folder reads the start of every file in it (a project's
// header, an image's header); through QFile each read also costs a few
// status calls, which for tens of thousands of files is most of the scan.

#include <QByteArray>
#include <QString>

// Up to `bytes` bytes from the start of the file at `path` (fewer when the
// file is shorter) into *head; false when the file cannot be opened for
// reading. Meant for regular files: a pipe gives what it holds at once, if
// anything, and a device is opened like a file.
bool ReadFileHead(const QString &path, qint64 bytes, QByteArray *head);
