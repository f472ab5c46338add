#pragma once

#include <QString>

#include <stdexcept>

// Anything the catalogue refuses: a file it cannot open, a statement the engine rejects.
// The message is meant for the user as it stands.
class CatalogueError : public std::runtime_error {
public:
    explicit CatalogueError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
