#include "common/TestRegistry.h"

#include "core/Failures.h"
#include "core/catalogue/ResultSet.h"
#include "core/images/ImagePath.h"

#include <QTest>

// Where a disk's image lies: the path composed from its four file fields.
class ImagePathTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void compose_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("composed");
        QTest::newRow("all pieces")
            << "/st" << QStringList{"Crew", "Menu", "07", "st"} << "/st/Crew/Menu07.st";
        QTest::newRow("nothing at all") << "" << QStringList{"", "", "", ""} << "//.";
        QTest::newRow("spaces kept") << " /st " << QStringList{" Crew ", "Menu ", " 07", "st "}
                                     << " /st / Crew /Menu  07.st ";
        QTest::newRow("separators kept")
            << "/st/" << QStringList{"/Crew/", "Menu", "07", ".st"} << "/st///Crew//Menu07..st";
    }
    void compose() {
        QFETCH(QString, root);
        QFETCH(QStringList, fields);
        QFETCH(QString, composed);
        const DiskFiles files{fields[0], fields[1], fields[2], fields[3]};
        QCOMPARE(composeImagePath(root, files), composed);
        QCOMPARE(u'/' + relativeImagePath(files), composed.sliced(root.size()));
    }

    // The four fields of the cursor's row, a Null as the empty text, a number as its text.
    void fromCurrentRow_data() {
        QTest::addColumn<QVariantList>("fields");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("text, spaces kept") << QVariantList{" Crew ", "Menu ", " 07", "st "}
                                           << QStringList{" Crew ", "Menu ", " 07", "st "};
        QTest::newRow("integer file number") << QVariantList{"Crew", "Menu", qlonglong(12), "st"}
                                             << QStringList{"Crew", "Menu", "12", "st"};
        QTest::newRow("whole real file number")
            << QVariantList{"Crew", "Menu", 3.0, "st"} << QStringList{"Crew", "Menu", "3", "st"};
        QTest::newRow("all null") << QVariantList(4) << QStringList{"", "", "", ""};
    }
    void fromCurrentRow() {
        QFETCH(QVariantList, fields);
        QFETCH(QStringList, expected);
        // Other fields around the four, names in another case; the cursor is on the second row.
        ResultSet rows({"Nummer", "FOLDER", "FileName", "filenumber", "FileExten", "Game"},
                       {{1, "Other", "Disk", 99, "msa", "A"},
                        {2, fields[0], fields[1], fields[2], fields[3], QVariant()}});
        rows.moveNext();
        const DiskFiles read = DiskFiles::fromCurrentRow(rows);
        QCOMPARE(QStringList({read.folder, read.filename, read.filenumber, read.fileexten}),
                 expected);
        // Past the last row, or with any one of the four fields missing, there is nothing.
        rows.moveNext();
        QVERIFY_THROWS_EXCEPTION(CatalogueError, DiskFiles::fromCurrentRow(rows));
        const QStringList names{"folder", "filename", "filenumber", "fileexten"};
        for (qsizetype missing = 0; missing < names.size(); ++missing) {
            QStringList columns = names;
            columns[missing] = QStringLiteral("Other");
            const ResultSet lacking(columns, {{"Crew", "Menu", 7, "st"}});
            QVERIFY_THROWS_EXCEPTION(CatalogueError, DiskFiles::fromCurrentRow(lacking));
        }
    }
};

KESTREL_TEST(ImagePathTest)
#include "ImagePathTest.moc"
