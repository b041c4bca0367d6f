#pragma once
// Windows-1252, the byte form of texts in project files written by every copy
// of the program. Qt has no codec for it without ICU, and the table is small.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Every byte decodes; the five bytes the code page leaves undefined map to the
// C1 control of the same value, as Windows does, so they survive a round trip.
QString FromWindows1252(QByteArrayView bytes);

// False when a character has no Windows-1252 byte; `out` is then unspecified.
bool ToWindows1252(const QString &text, QByteArray *out);
