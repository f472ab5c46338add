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

// A disk row as a query returns it: other fields around the four, names in another case.
ResultSet diskRows(std::vector<ResultSet::Row> rows) {
    return ResultSet({QStringLiteral("Nummer"), QStringLiteral("FOLDER"),
                      QStringLiteral("FileName"), QStringLiteral("filenumber"),
                      QStringLiteral("FileExten"), QStringLiteral("Game")},
                     std::move(rows));
}

} // namespace

class ImagePathTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void compose_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<DiskFiles>("files");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("composed");
        const DiskFiles menu = files("Crew", "Menu", "07", "st");
        QTest::newRow("all pieces") << "/st" << menu << "Crew/Menu07.st"
                                    << "/st/Crew/Menu07.st";
        QTest::newRow("no file number")
            << "/st" << files("Crew", "Menu", "", "st") << "Crew/Menu.st"
            << "/st/Crew/Menu.st";
        QTest::newRow("no folder") << "/st" << files("", "Menu", "07", "st") << "/Menu07.st"
                                   << "/st//Menu07.st";
        QTest::newRow("no file name") << "/st" << files("Crew", "", "07", "st") << "Crew/07.st"
                                      << "/st/Crew/07.st";
        QTest::newRow("no extension") << "/st" << files("Crew", "Menu", "07", "") << "Crew/Menu07."
                                      << "/st/Crew/Menu07.";
        QTest::newRow("nothing at all") << "" << DiskFiles() << "/."
                                        << "//.";
        QTest::newRow("root ends in separator") << "/st/" << menu << "Crew/Menu07.st"
                                                << "/st//Crew/Menu07.st";
        QTest::newRow("no root") << "" << menu << "Crew/Menu07.st"
                                 << "/Crew/Menu07.st";
        QTest::newRow("relative root") << "images" << menu << "Crew/Menu07.st"
                                       << "images/Crew/Menu07.st";
        QTest::newRow("spaces kept")
            << " /st " << files(" Crew ", "Menu ", " 07", "st ") << " Crew /Menu  07.st "
            << " /st / Crew /Menu  07.st ";
        QTest::newRow("separators in pieces kept")
            << "/st" << files("/Crew/", "Menu", "07", ".st") << "/Crew//Menu07..st"
            << "/st//Crew//Menu07..st";
        QTest::newRow("case and letters kept")
            << "/Disks" << files("ÉTÉ", "Ménu", "07", "ST") << "ÉTÉ/Ménu07.ST"
            << "/Disks/ÉTÉ/Ménu07.ST";
    }
    void compose() {
        QFETCH(QString, root);
        QFETCH(DiskFiles, files);
        QFETCH(QString, relative);
        QFETCH(QString, composed);
        QCOMPARE(relativeImagePath(files), relative);
        QCOMPARE(composeImagePath(root, files), composed);
    }

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
        QTest::newRow("null file number")
            << crew << menu << null << st << files("Crew", "Menu", "", "st");
        QTest::newRow("integer file number")
            << crew << menu << QVariant(7) << st << files("Crew", "Menu", "7", "st");
        QTest::newRow("64-bit file number")
            << crew << menu << QVariant(qlonglong(12)) << st << files("Crew", "Menu", "12", "st");
        QTest::newRow("whole real file number")
            << crew << menu << QVariant(3.0) << st << files("Crew", "Menu", "3", "st");
        QTest::newRow("null folder") << null << menu << QVariant(QStringLiteral("07")) << st
                                     << files("", "Menu", "07", "st");
        QTest::newRow("null file name") << crew << null << QVariant(QStringLiteral("07")) << st
                                        << files("Crew", "", "07", "st");
        QTest::newRow("null extension") << crew << menu << QVariant(QStringLiteral("07")) << null
                                        << files("Crew", "Menu", "07", "");
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
        // The row of interest is the second: the cursor's row is read, not the first.
        ResultSet rows = diskRows({{1, QStringLiteral("Other"), QStringLiteral("Disk"), 99,
                                    QStringLiteral("msa"), QStringLiteral("A")},
                                   {2, folder, filename, filenumber, fileexten, QVariant()}});
        rows.moveNext();
        const DiskFiles read = DiskFiles::fromCurrentRow(rows);
        QCOMPARE(read.folder, expected.folder);
        QCOMPARE(read.filename, expected.filename);
        QCOMPARE(read.filenumber, expected.filenumber);
        QCOMPARE(read.fileexten, expected.fileexten);
    }

    void rowComposesImagePath() {
        ResultSet rows = diskRows({{5, QStringLiteral("Crew"), QStringLiteral("Menu"), QVariant(),
                                    QStringLiteral("st"), QStringLiteral("Zork")}});
        QCOMPARE(composeImagePath(QStringLiteral("/st"), DiskFiles::fromCurrentRow(rows)),
                 QStringLiteral("/st/Crew/Menu.st"));
    }

    void refusesRowsWithoutTheFields() {
        ResultSet rows = diskRows({{1, QStringLiteral("Crew"), QStringLiteral("Menu"), 7,
                                    QStringLiteral("st"), QVariant()}});
        rows.moveNext();
        QVERIFY(rows.atEnd());
        QVERIFY_THROWS_EXCEPTION(CatalogueError, DiskFiles::fromCurrentRow(rows));
        rows.moveFirst();
        QCOMPARE(DiskFiles::fromCurrentRow(rows).filenumber, QStringLiteral("7"));

        // Any one of the four missing is refused.
        const QStringList fields{QStringLiteral("folder"), QStringLiteral("filename"),
                                 QStringLiteral("filenumber"), QStringLiteral("fileexten")};
        for (const QString& missing : fields) {
            QStringList columns = fields;
            columns.replace(columns.indexOf(missing), QStringLiteral("Other"));
            const ResultSet lacking(columns, {{QStringLiteral("Crew"), QStringLiteral("Menu"), 7,
                                               QStringLiteral("st")}});
            QVERIFY_THROWS_EXCEPTION(CatalogueError, DiskFiles::fromCurrentRow(lacking));
        }
    }
};

KESTREL_TEST(ImagePathTest)
#include "ImagePathTest.moc"
