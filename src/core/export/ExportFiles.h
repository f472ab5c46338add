#pragma once

#include <QString>

#include <stdexcept>

// A text file that could not be written or read; the message says why.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// Writes `text` as UTF-8 to `path` through a temporary file that replaces the old one only
// when all of it is written, so a failed save leaves an existing file as it was. Throws
// ExportError with the system's reason.
void saveTextFile(const QString& path, const QString& text);

// Writes `text` as UTF-8 to `path`, creating or emptying the file first. Throws ExportError.
void overwriteTextFile(const QString& path, const QString& text);

// The whole of a UTF-8 text file. Throws ExportError.
QString readTextFile(const QString& path);
