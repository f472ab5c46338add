#include "common/TestRegistry.h"

#include "BrowserFixture.h"

#include "core/settings/SettingsStore.h"

#include <QTest>

namespace {

const QString kNotSelected = QStringLiteral("No Game has been selected!");

} // namespace

class CatalogueBrowserSelectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every image is present: what a click shows comes from the row's icon, not the file.
    void clickShowsTheDisk_data() {
        QTest::addColumn<QString>("nummer");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("availability"); // "": the panel is left as it was
        QTest::addColumn<QString>("place");
        const QString a12 = QStringLiteral("Auto/AUTO012.st");
        QTest::newRow("available") << "1" << 3 << QStringLiteral("Available") << a12;
        QTest::newRow("icon, not code") << "1" << 4 << QStringLiteral("Unavailable") << a12;
        QTest::newRow("undumped, no file number")
            << "4" << 5 << QStringLiteral("Undumped") << "DBug/DB.msa";
        QTest::newRow("no icon") << "6" << 0 << QString() << "Auto/AUTO200.st";
    }
    void clickShowsTheDisk() {
        QFETCH(QString, nummer);
        QFETCH(int, icon);
        QFETCH(QString, availability);
        QFETCH(QString, place);
        BrowserFixture f;
        f.touch({"Auto/AUTO012.st", "DBug/DB.msa", "Auto/AUTO200.st"});
        const ListedRow row = listed(nummer, icon);
        const RowDetails details = f.browser->selectRow(row, 3);
        QCOMPARE(details.entryText, row.text);
        QCOMPARE(details.availability.value_or(QString()), availability);
        QCOMPARE(details.imagePlace.value_or(QStringLiteral("<none>")), place);
        QCOMPARE(f.browser->selectedImagePath(), f.image(place));
        QVERIFY(f.browser->hasSelection());
    }

    // A click selects whenever the list has rows, even an entry without a disk record, which
    // leaves the image path and its place as they were. Reset selects nothing.
    void whatAClickSelects() {
        BrowserFixture f;
        const ListedRow orphan = listed(QStringLiteral("8"), UnavailableIcon);
        f.browser->selectRow(orphan, 0);
        QVERIFY(!f.browser->hasSelection());
        f.browser->selectRow(listed(QStringLiteral("3"), UnavailableIcon), 2);
        const RowDetails details = f.browser->selectRow(orphan, 2);
        QVERIFY(f.browser->hasSelection());
        QVERIFY(!details.imagePlace);
        QCOMPARE(details.availability.value_or(QString()), QStringLiteral("Unavailable"));
        QCOMPARE(f.browser->selectedImagePath(), f.image(QStringLiteral("Auto/AUTO120.st")));
        f.browser->reset();
        QVERIFY(!f.browser->hasSelection());
    }

    // The values first read stay in use, for the image path too, until they are forgotten.
    void programPathsAreReadOnce() {
        BrowserFixture f;
        f.setProgram(Emulator::Steem, QStringLiteral("C:\\Emu\\Steem.exe"));
        const ProgramPaths first = f.browser->programPaths();
        ProgramPaths changed;
        changed.rootFolder = QStringLiteral("/elsewhere");
        f.settings().storeProgramPaths(changed);
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        f.browser->selectRow(row, 1);
        QCOMPARE(f.browser->selectedImagePath(), f.image(QStringLiteral("Auto/AUTO012.st")));
        QCOMPARE(f.browser->programPaths(), first);
        QCOMPARE(first.program(Emulator::Steem), QStringLiteral("C:\\Emu\\Steem.exe"));
        f.browser->forgetProgramPaths();
        QCOMPARE(f.browser->programPaths(), changed);
        f.browser->selectRow(row, 1);
        QCOMPARE(f.browser->selectedImagePath(), QStringLiteral("/elsewhere/Auto/AUTO012.st"));
    }

    // Selection, then the row's icon, then the chosen emulator's program: each row also fails
    // every later check, which must not be the one that answers.
    void playRefusesInOrder_data() {
        QTest::addColumn<int>("listedRows");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<int>("emulator");
        QTest::addColumn<QString>("refusal");
        const int steem = int(Emulator::Steem);
        const QString noImage =
            QStringLiteral("You do not appear to have the disk image for this game!");
        QTest::newRow("nothing listed") << 0 << 4 << true << steem << kNotSelected;
        QTest::newRow("no row clicked") << 2 << 4 << false << steem << kNotSelected;
        QTest::newRow("unavailable") << 2 << 4 << true << steem << noImage;
        QTest::newRow("undumped") << 2 << 5 << true << steem << noImage;
        for (const EmulatorRow& row : emulatorTable())
            QTest::addRow("%s not configured", row.setting)
                << 2 << 3 << true << int(row.emulator) << QString::fromLatin1(row.notConfigured);
    }
    void playRefusesInOrder() {
        QFETCH(int, listedRows);
        QFETCH(int, icon);
        QFETCH(bool, clicked);
        QFETCH(int, emulator);
        QFETCH(QString, refusal);
        BrowserFixture f; // no emulator is configured
        f.browser->chooseEmulator(Emulator(emulator));
        const ListedRow row = listed(QStringLiteral("1"), icon);
        if (clicked)
            f.browser->selectRow(row, 2);
        QCOMPARE(refusalOf([&] { f.browser->play(listedRows, &row); }).text, refusal);
    }

    // <A> stands for the clicked entry's image, <B> for the one placed in drive B.
    void playStartsTheChosenEmulator_data() {
        QTest::addColumn<int>("emulator");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("driveB");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("Steem, drive B empty")
            << int(Emulator::Steem) << "C:\\Emu\\Steem.exe" << false << QStringList{"<A>"};
        QTest::newRow("Hatari with drive B")
            << int(Emulator::Hatari) << "/usr/bin/hatari" << true
            << QStringList{"--tos", "<T>", "--disk-b", "<B>", "<A>"};
    }
    void playStartsTheChosenEmulator() {
        QFETCH(int, emulator);
        QFETCH(QString, program);
        QFETCH(bool, driveB);
        QFETCH(QStringList, arguments);
        BrowserFixture f;
        f.touch({"Auto/AUTO012.st", "Auto/AUTO120.st", "tos.img"});
        f.setProgram(Emulator(emulator), program);
        f.settings().setValue(SettingKey::TosImage, f.image(QStringLiteral("tos.img")));
        f.browser->chooseEmulator(Emulator(emulator));
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        if (driveB)
            f.browser->placeInDriveB(listed(QStringLiteral("3"), UnavailableIcon));
        f.browser->selectRow(row, 2);
        const LaunchPlan plan = f.browser->play(2, &row);
        QCOMPARE(plan.program, program);
        QCOMPARE(
            plan.arguments,
            arguments
                .replaceInStrings(QStringLiteral("<A>"), f.image(QStringLiteral("Auto/AUTO012.st")))
                .replaceInStrings(QStringLiteral("<B>"), f.image(QStringLiteral("Auto/AUTO120.st")))
                .replaceInStrings(QStringLiteral("<T>"), f.image(QStringLiteral("tos.img"))));
        QVERIFY(plan.startable);
    }

    // SainT reads the disk from its own settings file beside the program.
    void playWritesSaintsSettings() {
        BrowserFixture f;
        const QString saint = f.folder.file(QStringLiteral("saint"));
        QVERIFY(QDir().mkpath(saint));
        f.setProgram(Emulator::Saint, saint + QStringLiteral("/SainT161.exe"));
        f.browser->chooseEmulator(Emulator::Saint);
        f.touch({"Auto/AUTO012.st"});
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        f.browser->selectRow(row, 1);
        QCOMPARE(f.browser->play(1, &row).workingFolder, saint);
        QCOMPARE(readini(QStringLiteral("Disks"), QStringLiteral("DriveA"), QString(),
                         saint + QStringLiteral("/SainT.ini")),
                 f.image(QStringLiteral("Auto/AUTO012.st")));
        // The choice outlasts the browser.
        QVERIFY(CatalogueBrowser(f.catalogue, f.clock, f.programFolder()).emulator() ==
                Emulator::Saint);
    }

    // Entry 1 was clicked, then every disk got a new file name. The kept record goes when it
    // is forgotten or another row is clicked, even one without a disk record.
    void keptRecordUntilForgotten_data() {
        QTest::addColumn<QString>("placed");
        QTest::addColumn<QString>("since"); // "forgotten", or the entry clicked since
        QTest::addColumn<QString>("driveB");
        for (const char* row :
             {"the clicked entry|1||Auto/AUTO012.st", "forgotten|1|forgotten|Auto/NEW012.st",
              "another click|1|8|Auto/NEW012.st", "another entry|3||Auto/NEW120.st"}) {
            const QStringList f = QString::fromLatin1(row).split(u'|');
            QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3];
        }
    }
    void keptRecordUntilForgotten() {
        QFETCH(QString, placed);
        QFETCH(QString, since);
        QFETCH(QString, driveB);
        BrowserFixture f;
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 2);
        f.catalogue.execute(QStringLiteral("UPDATE Dnames SET filename = 'NEW'"));
        if (since == u"forgotten")
            f.browser->forgetRecord();
        else if (!since.isEmpty())
            f.browser->selectRow(listed(since, AvailableIcon), 2);
        f.browser->placeInDriveB(listed(placed, AvailableIcon));
        QCOMPARE(f.browser->driveBImagePath(), f.image(driveB));
        QCOMPARE(relativeImagePath(f.browser->recordOf(placed).files), driveB);
    }

    // Refused without a click or for an undumped disk; otherwise the record is read again,
    // since another edit may have changed the disk since the click.
    void diskToEdit() {
        BrowserFixture f;
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        const ListedRow undumped = listed(QStringLiteral("4"), UndumpedIcon);
        auto refusal = [&](int listedRows, const ListedRow& under) {
            return refusalOf([&] { f.browser->diskToEdit(listedRows, &under); }).text;
        };
        QCOMPARE(refusal(2, undumped), kNotSelected);
        f.browser->selectRow(undumped, 2);
        QCOMPARE(refusal(0, undumped), kNotSelected);
        QCOMPARE(refusal(2, undumped), QStringLiteral("You cannot edit undefined/undumped games!"));
        f.browser->selectRow(row, 2);
        f.catalogue.execute(QStringLiteral("UPDATE Dnames SET filenumber = '013' WHERE F_ID = 1"));
        QCOMPARE(f.browser->diskToEdit(2, &row).files.filenumber, QStringLiteral("013"));
    }
};

KESTREL_TEST(CatalogueBrowserSelectionTest)
#include "CatalogueBrowserSelectionTest.moc"
