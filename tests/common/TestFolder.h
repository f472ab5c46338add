#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away program folder: a catalogue built from a fixture SQL file, a settings file.
class TestFolder {
public:
    TestFolder();

    const QString& path() const { return m_path; }
    QString file(const QString& name) const;
    QString cataloguePath() const;
    QString settingsPath() const;

    // Creates the catalogue with the program's schema and runs the fixture's SQL in it
    // (a file name under tests/data, or SQL text when it holds a space).
    void createCatalogue(const QString& fixture = QStringLiteral("catalogue.sql"));
    void writeSettings(const QString& text);
    QString readFile(const QString& name) const;

    // The settings file a fresh program folder is delivered with.
    static QString defaultSettings();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A file's bytes ("<missing>" when it cannot be read), and writing them, its folders made.
QByteArray fileBytes(const QString& path);
bool writeFileBytes(const QString& path, const QByteArray& bytes = {});

// The first field of each row a statement gives on a catalogue file ("Null" for a Null).
QStringList queryColumn(const QString& cataloguePath, const QString& statement);

// A catalogue from the shared .mdb fixtures (../shared/fixtures/mdb).
QString sharedFixture(const char* name);

// One run of kestrel-cli on a program folder: exit status, standard output as lines,
// standard error as it came.
struct CliRun {
    int status;
    QStringList lines;
    QString errors;
};
CliRun runCli(const TestFolder& folder, const QStringList& arguments);
