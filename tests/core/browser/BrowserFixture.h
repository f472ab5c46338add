#pragma once

#include "common/FixtureCatalogue.h"

#include "core/browser/CatalogueBrowser.h"
#include "core/browser/Clock.h"

#include <QDir>
#include <QTest>

#include <memory>

// Disks: 1 available, 2 unavailable, 3 undumped without a file number, 4 without a code, 5 with
// a code that means nothing. "Automation 12" lies on disks 1 and 2 (entry 5), and
// "AUTOMATION 12" differs from it only in case. Entry 8 has no disk record. 1, 3 and 4 are
// favourites.
inline const QString kBrowserCatalogue = QStringLiteral(
    "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'),"
    " (2, 0, 'Auto', 'AUTO', '120', 'st'), (3, 2, 'DBug', 'DB', NULL, 'msa'),"
    " (4, NULL, 'Auto', 'AUTO', '200', 'st'), (5, 7, 'Auto', 'AUTOX', '1', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', -1, 1),"
    " (2, 'Automation 12', 'Alpha Wave', 0, 1), (3, 'Automation 120', 'Zork', -1, 2),"
    " (4, 'D-Bug 3', 'Beta Blast', -1, 3), (5, 'Automation 12', 'Zool', 0, 2),"
    " (6, 'Automation 200', 'Cyber Run', 0, 4), (7, 'AUTOMATION 12', 'Xenon', 0, 5),"
    " (8, 'Lost Boys 1', 'Orphan', 0, 99);");

inline const QStringList kCaptions{QStringLiteral("Game"), QStringLiteral("Group"),
                                   QStringLiteral("Nummer")};

// A browser on a throw-away program folder with that catalogue, the settings a new folder is
// delivered with and a clock that moves only when told to. The root game folder is root(),
// empty until a test puts images there.
struct BrowserFixture {
    TestFolder folder;
    Catalogue catalogue;
    FakeClock clock;
    std::unique_ptr<CatalogueBrowser> browser;

    BrowserFixture() {
        folder.createCatalogue(kBrowserCatalogue);
        folder.writeSettings(TestFolder::defaultSettings());
        QDir().mkpath(root());
        settings().setValue(SettingKey::RootFolder, root());
        catalogue.open(folder.cataloguePath());
        browser = std::make_unique<CatalogueBrowser>(catalogue, clock, programFolder());
    }

    ProgramFolder programFolder() const { return {folder.path(), QString()}; }
    Settings settings() const { return programFolder().settings(); }
    QString root() const { return folder.file(QStringLiteral("games")); }
    QString image(const QString& relative) const { return root() + u'/' + relative; }

    void touch(std::initializer_list<const char*> images) const {
        for (const char* relative : images)
            QVERIFY(writeFileBytes(image(QLatin1String(relative))));
    }

    // Before the browser first reads the program paths.
    void setProgram(Emulator emulator, const QString& path) const {
        ProgramPaths paths = settings().programPaths();
        paths.program(emulator) = path;
        settings().storeProgramPaths(paths);
    }

    // The codes of disks 1 to 5 ("Null" for none).
    QStringList codes() const {
        return queryColumn(folder.cataloguePath(), "SELECT got FROM Dnames ORDER BY F_ID");
    }
};

// A listed row of an entry as a click hands it over; only the number and the icon matter.
inline ListedRow listed(const QString& nummer, int icon) {
    return {QStringLiteral("Entry ") + nummer, QStringLiteral("Disk"), nummer, icon};
}

inline SearchRequest byName(const QString& text) {
    SearchRequest request;
    request.criteria.searchText = text;
    return request;
}
