#include "common/FileSizeLimit.h"
#include "common/TestFolder.h"
#include "common/TestRegistry.h"

#include "core/export/ExportFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

// Writing and reading the export files: UTF-8, all or nothing.
class ExportFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void writersPutUtf8BytesAsGiven_data() {
        QTest::addColumn<bool>("save"); // saveTextFile, or else overwriteTextFile
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        for (bool save : {true, false}) {
            const char* writer = save ? "save: " : "overwrite: ";
            QTest::addRow("%sCR LF and beyond ASCII", writer)
                << save << QStringLiteral("\u00c9lite -- Medway Boys 9\r\nX -- \r\n")
                << QByteArray("\xc3\x89lite -- Medway Boys 9\r\nX -- \r\n");
            QTest::addRow("%sempty text empties the file", writer)
                << save << QString() << QByteArray();
        }
    }
    void writersPutUtf8BytesAsGiven() {
        QFETCH(bool, save);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QString target = path("list.txt");
        QVERIFY(writeFileBytes(target, "an older and longer content that must go entirely\r\n"));
        if (save)
            saveTextFile(target, text);
        else
            overwriteTextFile(target, text);
        QCOMPARE(fileBytes(target), bytes);
        QCOMPARE(readTextFile(target), text);
        // No extension is added, and nothing is left beside the file.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("list")),
                 QStringList{"list.txt"});
    }

    // Small texts fail when Qt flushes its buffer, large ones while they are written.
    void failedSaveKeepsTheOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("4 KB") << 4096;
        QTest::newRow("100 KB") << 100000;
    }
    void failedSaveKeepsTheOldFile() {
        QFETCH(int, size);
        const QString target = path("kept.txt");
        QVERIFY(writeFileBytes(target, "old list\r\n"));
        const QString longText = QString(size, u'x') + QStringLiteral("\r\n");
        QString reason;
        {
            const FileSizeLimit limit(1024);
            try {
                saveTextFile(target, longText);
            } catch (const FileError& error) {
                reason = error.message();
            }
        }
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
