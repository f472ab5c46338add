#pragma once

#include <QDebug>
#include <QString>

#include <exception>
#include <stdexcept>

// How things go wrong in Kestrel, in one place.
//
// - A refusal is an answer, not a fault: the program will not do what was asked and says why.
//   The window shows it in a message box, kestrel-cli prints it and exits with status 1.
// - A failing step throws a KestrelError: the catalogue refused a statement or a file could
//   not be opened, or a file could not be written or read. The message is meant for the user
//   as it stands.
// - Where a failing step is to be skipped and the work go on, the step runs in tolerate(),
//   which still logs what failed.

struct Refusal {
    QString text;
    QString caption = defaultCaption();

    static QString defaultCaption() { return QStringLiteral("Atari ST Kestrel"); }
};

class KestrelError : public std::runtime_error {
public:
    explicit KestrelError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A catalogue that cannot be opened, a statement the engine rejects.
class CatalogueError : public KestrelError {
public:
    using KestrelError::KestrelError;
};

// A file that could not be written or read.
class FileError : public KestrelError {
public:
    using KestrelError::KestrelError;
};

// Runs a step whose failure is not to stop the work around it; a failure is logged with what
// the step was. Returns whether the step ran to its end.
template <typename Step> bool tolerate(const char* what, Step&& step) {
    try {
        step();
        return true;
    } catch (const KestrelError& error) {
        qWarning("%s: %s", what, qPrintable(error.message()));
    } catch (const std::exception& error) {
        qWarning("%s: %s", what, error.what());
    }
    return false;
}
