#include "platform/atomicfile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString &path, const QByteArray &data)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    // Never fall back to writing the target in place (unwritable folder).
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
