#include "platform/filehead.h"

#include <QFile>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
bool ReadFileHead(const QString &path, qint64 bytes, QByteArray *head)
{
    head->clear();
    // Not blocking: a pipe where a file was expected gives nothing rather than a wait.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    QByteArray data(qsizetype(std::max<qint64>(bytes, 0)), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, size_t(data.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the end, or an error: what was read stands
        got += n;
    }
    ::close(fd);
    data.truncate(got);
    *head = std::move(data);
    return true;
}
#else
bool ReadFileHead(const QString &path, qint64 bytes, QByteArray *head)
{
    head->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    *head = file.read(bytes);
    return true;
}
#endif
