#include "common/TestFolder.h"

#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/catalogue/CatalogueSchema.h"
#include "core/catalogue/JetFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sqlite3.h>

#include <stdexcept>

TestFolder::TestFolder() : m_path(m_dir.path()) {}

QString TestFolder::file(const QString& name) const {
    return m_path + QDir::separator() + name;
}

QString TestFolder::cataloguePath() const {
    return file(Catalogue::fileName());
}

QString TestFolder::settingsPath() const {
    return file(QStringLiteral("Rummage.ini"));
}

void TestFolder::createCatalogue(const QString& fixture) {
    QString sql = fixture;
    if (!fixture.contains(u' ')) {
        QFile source(QStringLiteral(KESTREL_TEST_DATA "/") + fixture);
        if (!source.open(QIODevice::ReadOnly))
            throw std::runtime_error("missing fixture " + fixture.toStdString());
        sql = QString::fromUtf8(source.readAll());
    }
    sqlite3* db = nullptr;
    sqlite3_open(cataloguePath().toUtf8().constData(), &db);
    registerJetFunctions(db);
    createCatalogueSchema(db);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("fixture SQL failed: " + message);
}

void TestFolder::writeSettings(const QString& text) {
    QFile out(settingsPath());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write settings");
    out.write(text.toUtf8());
}

QString TestFolder::readFile(const QString& name) const {
    QFile in(file(name));
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(in.readAll());
}

QString TestFolder::defaultSettings() {
    QFile in(QStringLiteral(KESTREL_SOURCE_DATA "/Rummage.ini"));
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing default Rummage.ini");
    return QString::fromUtf8(in.readAll());
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList queryColumn(const QString& cataloguePath, const QString& statement) {
    Catalogue catalogue;
    catalogue.open(cataloguePath);
    const ResultSet& rows = catalogue.query(statement);
    QStringList values;
    for (qsizetype i = 0; i < rows.rowCount(); ++i)
        values << (rows.row(i)[0].isNull() ? QStringLiteral("Null") : rows.row(i)[0].toString());
    return values;
}

QString sharedFixture(const char* name) {
    return QStringLiteral(KESTREL_SHARED_FIXTURES "/mdb/") + QLatin1String(name);
}

CliRun runCli(const TestFolder& folder, const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KESTREL_BUILD_DIR "/kestrel-cli"),
                  QStringList{QStringLiteral("--folder"), folder.path()} + arguments);
    process.waitForFinished(60000);
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return {process.exitCode(), lines, QString::fromUtf8(process.readAllStandardError())};
}
