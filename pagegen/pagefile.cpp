#include "pagegen/pagefile.h"

PageFile::PageFile(const QString &path, PageEncoding encoding) : m_file(path), m_encoding(encoding)
{
    if (path.isEmpty() || !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw PageFileError(QStringLiteral("cannot create %1: %2").arg(path, m_file.errorString()));
}

PageFile::~PageFile()
{
    if (m_file.isOpen())
        m_file.close();
}

void PageFile::Write(const QString &text)
{
    if (text.isEmpty())
        return;
    const QByteArray bytes = EncodePageText(text, m_encoding);
    if (m_file.write(bytes) != bytes.size())
        throw PageFileError(QStringLiteral("cannot write %1: %2").arg(m_file.fileName(), m_file.errorString()));
}

void PageFile::Close()
{
    if (!m_file.isOpen())
        return;
    const bool flushed = m_file.flush();
    const QString error = m_file.errorString();
    m_file.close();
    if (!flushed || m_file.error() != QFileDevice::NoError)
        throw PageFileError(QStringLiteral("cannot complete %1: %2").arg(m_file.fileName(), error));
}
