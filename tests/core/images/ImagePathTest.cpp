#include "common/TestRegistry.h"

#include "core/Failures.h"
#include "core/catalogue/ResultSet.h"
#include "core/images/ImagePath.h"

#include <QTest>

Q_DECLARE_METATYPE(DiskFiles)

namespace {

DiskFiles files(const char* folder, const char* filename, const char* filenumber,
                const char* fileexten) {
    return {QString::fromUtf8(folder), QString::fromUtf8(filename), QString::fromUtf8(filenumber),
            QString::fromUtf8(fileexten)};
}

} // namespace

// Where a disk's image lies: the path composed from its four file fields.
class ImagePathTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void compose_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<DiskFiles>("files");
        QTest::addColumn<QString>("composed");
        const DiskFiles menu = files("Crew", "Menu", "07", "st");
        QTest::newRow("all pieces") << "/st" << menu << "/st/Crew/Menu07.st";
        QTest::newRow("no file number")
            << "/st" << files("Crew", "Menu", "", "st") << "/st/Crew/Menu.st";
        QTest::newRow("no folder") << "/st" << files("", "Menu", "07", "st") << "/st//Menu07.st";
        QTest::newRow("nothing at all") << "" << DiskFiles() << "//.";
        QTest::newRow("root ends in separator") << "/st/" << menu << "/st//Crew/Menu07.st";
        QTest::newRow("no root") << "" << menu << "/Crew/Menu07.st";
        QTest::newRow("spaces kept")
            << " /st " << files(" Crew ", "Menu ", " 07", "st ") << " /st / Crew /Menu  07.st ";
        QTest::newRow("separators in pieces kept")
            << "/st" << files("/Crew/", "Menu", "07", ".st") << "/st//Crew//Menu07..st";
    }
    void compose() {
        QFETCH(QString, root);
        QFETCH(DiskFiles, files);
        QFETCH(QString, composed);
        QCOMPARE(composeImagePath(root, files), composed);
        QCOMPARE(u'/' + relativeImagePath(files), composed.sliced(root.size()));
    }

    // The four fields of the cursor's row, a Null as the empty text, a number as its text.
    void fromCurrentRow_data() {
        QTest::addColumn<QVariant>("folder");
        QTest::addColumn<QVariant>("filename");
        QTest::addColumn<QVariant>("filenumber");
        QTest::addColumn<QVariant>("fileexten");
        QTest::addColumn<DiskFiles>("expected");
        const QVariant null;
        const QVariant crew(QStringLiteral("Crew"));
        const QVariant menu(QStringLiteral("Menu"));
        const QVariant st(QStringLiteral("st"));
        QTest::newRow("text") << crew << menu << QVariant(QStringLiteral("07")) << st
                              << files("Crew", "Menu", "07", "st");
        QTest::newRow("integer file number")
            << crew << menu << QVariant(qlonglong(12)) << st << files("Crew", "Menu", "12", "st");
        QTest::newRow("whole real file number")
            << crew << menu << QVariant(3.0) << st << files("Crew", "Menu", "3", "st");
        QTest::newRow("all null") << null << null << null << null << DiskFiles();
        QTest::newRow("spaces kept")
            << QVariant(QStringLiteral(" Crew ")) << QVariant(QStringLiteral("Menu "))
            << QVariant(QStringLiteral(" 7")) << QVariant(QStringLiteral("st "))
            << files(" Crew ", "Menu ", " 7", "st ");
    }
    void fromCurrentRow() {
        QFETCH(QVariant, folder);
        QFETCH(QVariant, filename);
        QFETCH(QVariant, filenumber);
        QFETCH(QVariant, fileexten);
        QFETCH(DiskFiles, expected);
        // Other fields around the four, names in another case; the cursor is on the second row.
        ResultSet rows({"Nummer", "FOLDER", "FileName", "filenumber", "FileExten", "Game"},
                       {{1, "Other", "Disk", 99, "msa", "A"},
                        {2, folder, filename, filenumber, fileexten, QVariant()}});
        rows.moveNext();
        const DiskFiles read = DiskFiles::fromCurrentRow(rows);
        QCOMPARE(QStringList({read.folder, read.filename, read.filenumber, read.fileexten}),
                 QStringList({expected.folder, expected.filename, expected.filenumber,
                              expected.fileexten}));
        // Past the last row, or with any one of the four fields missing, there is nothing.
        rows.moveNext();
        QVERIFY_THROWS_EXCEPTION(CatalogueError, DiskFiles::fromCurrentRow(rows));
        const QStringList fields{"folder", "filename", "filenumber", "fileexten"};
        for (const QString& missing : fields) {
            QStringList columns = fields;
            columns.replace(columns.indexOf(missing), QStringLiteral("Other"));
            const ResultSet lacking(columns, {{"Crew", "Menu", 7, "st"}});
            QVERIFY_THROWS_EXCEPTION(CatalogueError, DiskFiles::fromCurrentRow(lacking));
        }
    }
};

KESTREL_TEST(ImagePathTest)
#include "ImagePathTest.moc"
