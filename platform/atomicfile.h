#pragma once
// Whole-or-nothing file writes: the data goes beside the target and is renamed
// over it, so a reader never sees half a file and a failed write keeps the
// older one.

#include <QByteArray>
#include <QString>

bool WriteFileAtomically(const QString &path, const QByteArray &data);
