#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "core/images/DetachedStart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A start with a record: the program gets its arguments exactly, however they are written,
// from a path that holds shell characters; its status and last lines come back.
class DetachedStartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordsTheStart() {
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/it's \"$HOME\" `x` XXXXXX"));
        const QString program = dir.filePath(QStringLiteral("emu; rm -rf"));
        QVERIFY(writeFileBytes(program, "#!/bin/sh\nprintf '%s\\0' \"$@\" > out\n"
                                        "for i in $(seq 1 30); do echo \"line $i\"; done\n"
                                        "echo last >&2\nexit 3\n"));
        QVERIFY(
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QStringList arguments{"DISK 1.ST", "\"quoted\"", "it's",       "",     "$HOME",
                                    "a;b|c&d",   "*",          "two\nlines", "`id`", "\u00c9lan"};
        StartRecord record;
        QCOMPARE(startDetachedProgram(program, arguments, dir.path(), &record), QString());
        QTRY_VERIFY(record.exitStatus().has_value());
        QCOMPARE(*record.exitStatus(), 3);
        QCOMPARE(record.lastLines(3), QStringLiteral("line 29\nline 30\nlast"));
        QByteArray recorded = fileBytes(dir.filePath(QStringLiteral("out")));
        recorded.chop(1);
        QStringList received;
        for (const QByteArray& field : recorded.split('\0'))
            received << QString::fromUtf8(field);
        QCOMPARE(received, arguments);
    }
};

KESTREL_TEST(DetachedStartTest)
#include "DetachedStartTest.moc"
