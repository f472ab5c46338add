#include "common/FileSizeLimit.h"
#include "common/FixtureCatalogue.h"
#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include "core/export/ExportFiles.h"
#include "core/export/ExportText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

// The result list as the export files hold it: its text, written as UTF-8, all or nothing.
class ExportFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    // One line per row, the first two columns, CR LF after each; an empty column stays empty,
    // the entry number and the icon never show. Both writers put the text's UTF-8 bytes in
    // place of a longer old content, add no extension and leave nothing beside the file.
    void writersPutTheListAsUtf8() {
        const QString target = path("list.txt");
        const QString text =
            listText(ListedRows{{"", "Medway Boys 9", "19", 0}, {"\u00c9lite", "", "20", 3}});
        for (const auto write : {saveTextFile, overwriteTextFile}) {
            QVERIFY(writeFileBytes(target, "an older and longer content that must go\r\n"));
            write(target, text);
            QCOMPARE(fileBytes(target), QByteArray(" -- Medway Boys 9\r\n\xc3\x89lite -- \r\n"));
            QCOMPARE(readTextFile(target), text);
        }
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("list")),
                 QStringList{"list.txt"});
    }

    void failedSaveKeepsTheOldFile() {
        const QString target = path("kept.txt");
        QVERIFY(writeFileBytes(target, "old list\r\n"));
        const QString longText = QString(4096, u'x') + QStringLiteral("\r\n");
        const QString reason = [&] {
            const FileSizeLimit limit(1024);
            return errorOf<FileError>([&] { saveTextFile(target, longText); });
        }();
        QCOMPARE(reason, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(fileBytes(target), QByteArray("old list\r\n"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("kept")),
                 QStringList{"kept.txt"});

        // Once it can be written, the same save replaces the file.
        saveTextFile(target, longText);
        QCOMPARE(fileBytes(target), longText.toUtf8());
    }

    void unwritablePlacesThrow() {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        const QString missing = path("no such folder/list.txt");
        QVERIFY_THROWS_EXCEPTION(FileError, saveTextFile(missing, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(FileError, overwriteTextFile(path("folder"), QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(FileError, readTextFile(path("no such file")));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(QFileInfo(path("folder")).isDir());
    }
};

KESTREL_TEST(ExportFilesTest)
#include "ExportFilesTest.moc"
