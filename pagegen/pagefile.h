#pragma once
// One page file being written: text in, bytes of the page's encoding out,
// "\n" written as the platform's text mode does. Failures throw PageFileError
// so a builder can stop the page it is writing at any step.

#include "pagegen/htmlencoding.h"

#include <QFile>
#include <stdexcept>

class PageFileError : public std::runtime_error {
public:
    explicit PageFileError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

class PageFile {
public:
    // Creates or truncates the file; throws when it cannot be opened.
    PageFile(const QString &path, PageEncoding encoding);
    ~PageFile(); // an unclosed file is closed without reporting
    PageFile(const PageFile &) = delete;
    PageFile &operator=(const PageFile &) = delete;

    void Write(const QString &text);
    // Completes the file; throws when its data could not all be written.
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }

private:
    QFile m_file;
    PageEncoding m_encoding;
};
