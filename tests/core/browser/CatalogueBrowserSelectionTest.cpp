#include "common/TestRegistry.h"

#include "BrowserFixture.h"

#include "core/settings/SettingsStore.h"

#include <QTest>

namespace {

const QString kNotSelected = QStringLiteral("No Game has been selected!");
const QString kFence = QStringLiteral("\"\"\"\"\"");

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
        QTest::newRow("available") << "1" << 3 << "Available"
                                   << "Auto/AUTO012.st";
        QTest::newRow("icon, not code") << "1" << 4 << "Unavailable"
                                        << "Auto/AUTO012.st";
        QTest::newRow("undumped, no file number") << "4" << 5 << "Undumped"
                                                  << "DBug/DB.msa";
        QTest::newRow("no icon") << "6" << 0 << ""
                                 << "Auto/AUTO200.st";
    }
    void clickShowsTheDisk() {
        QFETCH(QString, nummer);
        QFETCH(int, icon);
        QFETCH(QString, availability);
        QFETCH(QString, place);
        BrowserFixture f;
        for (const char* image : {"Auto/AUTO012.st", "DBug/DB.msa", "Auto/AUTO200.st"})
            f.touch(QLatin1String(image));
        const ListedRow row = listed(nummer, icon);
        const RowDetails details = f.browser->selectRow(row, 3);
        QCOMPARE(details.entryText, row.text);
        QCOMPARE(details.availability.value_or(QString()), availability);
        QCOMPARE(details.imagePlace.value_or(QStringLiteral("<none>")), place);
        QCOMPARE(f.browser->selectedImagePath(), f.image(place));
        QVERIFY(f.browser->hasSelection());
    }

    // A click selects whenever the list has rows, even an entry without a disk record, which
    // leaves the image path and its place as they were.
    void whatAClickSelects() {
        BrowserFixture f;
        const ListedRow orphan = listed(QStringLiteral("8"), UnavailableIcon);
        f.browser->selectRow(orphan, 0);
        QVERIFY(!f.browser->hasSelection());
        RowDetails details = f.browser->selectRow(orphan, 1);
        QVERIFY(f.browser->hasSelection());
        QVERIFY(!details.imagePlace);
        QCOMPARE(details.availability.value_or(QString()), QStringLiteral("Unavailable"));
        f.browser->selectRow(listed(QStringLiteral("3"), UnavailableIcon), 2);
        details = f.browser->selectRow(orphan, 2);
        QVERIFY(!details.imagePlace);
        QCOMPARE(details.entryText, orphan.text);
        QCOMPARE(f.browser->selectedImagePath(), f.image(QStringLiteral("Auto/AUTO120.st")));
    }

    // The values first read stay in use, for the image path too, until they are forgotten.
    void programPathsAreReadOnce() {
        BrowserFixture f;
        f.setProgram(Emulator::Steem, QStringLiteral("C:\\Emu\\Steem.exe"));
        QCOMPARE(f.browser->programPaths().program(Emulator::Steem),
                 QStringLiteral("C:\\Emu\\Steem.exe"));
        ProgramPaths changed;
        changed.rootFolder = QStringLiteral("/elsewhere");
        changed.program(Emulator::Steem) = QStringLiteral("/opt/Steem.exe");
        f.settings().storeProgramPaths(changed);
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        f.browser->selectRow(row, 1);
        QCOMPARE(f.browser->selectedImagePath(), f.image(QStringLiteral("Auto/AUTO012.st")));
        QCOMPARE(f.browser->programPaths().program(Emulator::Steem),
                 QStringLiteral("C:\\Emu\\Steem.exe"));
        f.browser->forgetProgramPaths();
        QCOMPARE(f.browser->programPaths(), changed);
        f.browser->selectRow(row, 1);
        QCOMPARE(f.browser->selectedImagePath(), QStringLiteral("/elsewhere/Auto/AUTO012.st"));
    }

    // Selection, then the row's icon, then the emulator's program: each row also fails every
    // later check, which must not be the one that answers.
    void playRefusesInOrder_data() {
        QTest::addColumn<int>("listedRows");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<bool>("searchSince");
        QTest::addColumn<int>("emulator");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("refusal");
        const int steem = int(Emulator::Steem);
        const QString noImage = QStringLiteral("You do not appear to have the disk image for "
                                               "this game!");
        QTest::newRow("nothing listed") << 0 << 4 << true << false << steem << "" << kNotSelected;
        QTest::newRow("no row clicked") << 2 << 4 << false << false << steem << "" << kNotSelected;
        QTest::newRow("searched since") << 2 << 5 << true << true << steem << "" << kNotSelected;
        QTest::newRow("unavailable") << 2 << 4 << true << false << steem << "" << noImage;
        QTest::newRow("undumped") << 2 << 5 << true << false << steem << "" << noImage;
        // The program's file name must match exactly, case included.
        for (const EmulatorRow& row : emulatorTable())
            QTest::addRow("%s misnamed", row.setting)
                << 2 << 3 << true << false << int(row.emulator)
                << QStringLiteral("/emu/") + QString::fromLatin1(row.programNames[0]).toUpper()
                << QString::fromLatin1(row.notConfigured);
    }
    void playRefusesInOrder() {
        QFETCH(int, listedRows);
        QFETCH(int, icon);
        QFETCH(bool, clicked);
        QFETCH(bool, searchSince);
        QFETCH(int, emulator);
        QFETCH(QString, program);
        QFETCH(QString, refusal);
        BrowserFixture f;
        f.setProgram(Emulator(emulator), program);
        f.browser->chooseEmulator(Emulator(emulator));
        const ListedRow row = listed(QStringLiteral("1"), icon);
        if (clicked)
            f.browser->selectRow(row, 2);
        if (searchSince)
            f.browser->startSearch(byName(QStringLiteral("dragon")));
        const Refusal refused = refusalOf([&] { f.browser->play(listedRows, &row); });
        QCOMPARE(refused.text, refusal);
        QCOMPARE(refused.caption, QStringLiteral("Atari ST Kestrel"));
    }

    // <A> stands for the clicked entry's image, <B> for the one placed in drive B.
    void playStartsTheChosenEmulator_data() {
        QTest::addColumn<int>("emulator");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("driveB");
        QTest::addColumn<QString>("parameterText");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("Steem, drive B empty")
            << int(Emulator::Steem) << "C:\\Emu\\Steem.exe" << false
            << kFence + "<A>" + kFence + " " + kFence + kFence << QStringList{"<A>"};
        QTest::newRow("Steem with drive B")
            << int(Emulator::Steem) << "C:\\Emu\\Steem.exe" << true
            << kFence + "<A>" + kFence + " " + kFence + "<B>" + kFence << QStringList{"<A>", "<B>"};
        QTest::newRow("STew leaves drive B out")
            << int(Emulator::Stew) << "/emu/winston.exe" << true << "<A>" << QStringList{"<A>"};
        QTest::newRow("Hatari with drive B")
            << int(Emulator::Hatari) << "/usr/bin/hatari" << true << "--disk-b <B> <A>"
            << QStringList{"--disk-b", "<B>", "<A>"};
    }
    void playStartsTheChosenEmulator() {
        QFETCH(int, emulator);
        QFETCH(QString, program);
        QFETCH(bool, driveB);
        QFETCH(QString, parameterText);
        QFETCH(QStringList, arguments);
        BrowserFixture f;
        f.touch(QStringLiteral("Auto/AUTO012.st"));
        const QString a = f.image(QStringLiteral("Auto/AUTO012.st"));
        const QString b = f.image(QStringLiteral("Auto/AUTO120.st"));
        f.setProgram(Emulator(emulator), program);
        f.browser->chooseEmulator(Emulator(emulator));
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        if (driveB)
            f.browser->placeInDriveB(listed(QStringLiteral("3"), UnavailableIcon));
        f.browser->selectRow(row, 2);
        const LaunchPlan plan = f.browser->play(2, &row);
        QCOMPARE(plan.program, program);
        QCOMPARE(plan.parameterText, QString(parameterText)
                                         .replace(QLatin1String("<A>"), a)
                                         .replace(QLatin1String("<B>"), b));
        QCOMPARE(plan.arguments, arguments.replaceInStrings(QStringLiteral("<A>"), a)
                                     .replaceInStrings(QStringLiteral("<B>"), b));
        QVERIFY(plan.startable);
    }

    // SainT reads the disk from its own settings file beside the program.
    void playWritesSaintsSettings() {
        BrowserFixture f;
        const QString saint = f.folder.file(QStringLiteral("saint"));
        QVERIFY(QDir().mkpath(saint));
        f.setProgram(Emulator::Saint, saint + QStringLiteral("/SainT161.exe"));
        f.browser->chooseEmulator(Emulator::Saint);
        const ListedRow row = listed(QStringLiteral("1"), AvailableIcon);
        f.browser->selectRow(row, 1);
        const LaunchPlan plan = f.browser->play(1, &row);
        QCOMPARE(plan.workingFolder, saint);
        QCOMPARE(readini(QStringLiteral("Disks"), QStringLiteral("DriveA"), QString(),
                         saint + QStringLiteral("/SainT.ini")),
                 f.image(QStringLiteral("Auto/AUTO012.st")));
        // The choice outlasts the browser.
        QVERIFY(CatalogueBrowser(f.catalogue, f.clock, f.programFolder()).emulator() ==
                Emulator::Saint);
    }

    // Entry 1 was clicked, then every disk got a new file name.
    void keptRecordUntilForgotten_data() {
        QTest::addColumn<QString>("placed");
        QTest::addColumn<bool>("forget");
        QTest::addColumn<QString>("driveB");
        QTest::newRow("the clicked entry") << "1" << false << "Auto/AUTO012.st";
        QTest::newRow("the clicked entry, forgotten") << "1" << true << "Auto/NEW012.st";
        QTest::newRow("another entry") << "3" << false << "Auto/NEW120.st";
    }
    void keptRecordUntilForgotten() {
        QFETCH(QString, placed);
        QFETCH(bool, forget);
        QFETCH(QString, driveB);
        BrowserFixture f;
        f.browser->selectRow(listed(QStringLiteral("1"), AvailableIcon), 2);
        f.catalogue.execute(QStringLiteral("UPDATE Dnames SET filename = 'NEW'"));
        if (forget)
            f.browser->forgetRecord();
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
