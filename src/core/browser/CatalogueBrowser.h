#pragma once

#include "core/Failures.h"
#include "core/browser/ListMode.h"
#include "core/images/DiskAudit.h"
#include "core/images/EmulatorLaunch.h"
#include "core/images/ImagePath.h"
#include "core/search/ListedRows.h"
#include "core/search/Listing.h"
#include "core/search/SearchClauses.h"
#include "core/search/SearchCriteria.h"
#include "core/search/SearchRequest.h"
#include "core/settings/ProgramFolder.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class Catalogue;
class Clock;

// What a listing leaves to be shown.
struct ListingResult {
    ListedRows rows; // none when they went to a sink as they were read
    qsizetype rowCount = 0;
    QString countText;               // the status line
    std::optional<QString> timeText; // the time line; none for a listing that is not timed
    std::optional<bool> noMatches;   // whether "No Matches Found" shows; none: left as it is
    quint32 elapsed = 0;             // milliseconds the listing took
};

// One entry's joined record: what a row click keeps of the entry it looked up.
struct EntryRecord {
    QString nummer;
    DiskFiles files;
    QVariant got;
};

// What a row click shows in the status bar's three panels; none leaves a panel as it is.
struct RowDetails {
    QString entryText;
    std::optional<QString> availability;
    std::optional<QString> imagePlace;
};

// The timing of the last timed listing or audit, in ticks of the clock.
struct Timing {
    quint32 start = 0;
    quint32 end = 0;
    quint32 elapsed = 0;
};

// What the main window and kestrel-cli share: the state the main window keeps across actions
// (list mode, selection, drive-B image, timing, the program paths as last loaded, the text
// staged for the clipboard) and the rules both apply (listings with their timing and count
// texts, favourites, audits and their refusals, the launch of the selected entry).
//
// Methods that run statements throw CatalogueError when the catalogue refuses one; the rules
// the program applies before acting throw a Refusal.
class CatalogueBrowser : public QObject {
    Q_OBJECT
public:
    CatalogueBrowser(Catalogue& catalogue, Clock& clock, const ProgramFolder& folder,
                     QObject* parent = nullptr);

    const ProgramFolder& folder() const { return m_folder; }
    Settings settings() const { return m_folder.settings(); }
    ListMode listMode() const { return m_listMode; }
    bool refillsBySearching() const { return m_listMode == ListMode::Search; }
    const Timing& timing() const { return m_timing; }

    // Listings. The captions are the list's three column captions: each column shows the
    // field its caption names.
    // The Search button: clears the selection, starts the clock and counts the list as a
    // search's before its checks; throws their Refusal.
    PreparedSearch startSearch(const SearchRequest& request);
    // With a sink, each line goes there as it is read instead of into the result.
    ListingResult runSearch(const PreparedSearch& search, const QStringList& captions,
                            const RowSink& sink = {});
    // Puts a searched text at the top of the history; returns the history as now stored.
    QStringList rememberSearch(const QString& searchedText, const QStringList& shownHistory);
    ListingResult listFavourites(const AvailabilityFilter& filter, const QStringList& captions);
    // One line per disk of the criteria's group; none for "ALL", which changes nothing.
    std::optional<ListingResult> compress(const SearchCriteria& criteria,
                                          const QStringList& captions);
    // "All" and the group's disk titles.
    QStringList diskTitles(const QString& group);
    // Reset: nothing selected, the list counts as showing favourites.
    void reset();

    // The selection: set by a row click, cleared by a search, Reset and the audits.
    bool hasSelection() const { return m_selected; }
    // A click on a listed row in a list of `listedRows` rows.
    RowDetails selectRow(const ListedRow& row, int listedRows);
    const QString& selectedImagePath() const { return m_selectedImagePath; }
    const QString& driveBImagePath() const { return m_driveBImagePath; }
    void placeInDriveB(const ListedRow& row);
    // The record of an entry: the one the last click kept, else read again.
    EntryRecord recordOf(const QString& nummer);
    // The kept record is stale once the disk data was edited.
    void forgetRecord() { m_record.reset(); }

    // The emulator programs and the root game folder, read from the settings on first use
    // and kept until the Settings dialog closes.
    const ProgramPaths& programPaths();
    void forgetProgramPaths() { m_paths.reset(); }
    QString rootFolder() { return programPaths().rootFolder; }
    Emulator emulator() const { return m_emulator; }
    void chooseEmulator(Emulator emulator);

    // Play: the launch of the selected row's disk in the chosen emulator. Throws a Refusal when
    // nothing is selected, the image is not available or the emulator is not configured, when
    // a disk file handed over is not there, or when Hatari has no TOS image. Writes SainT's own
    // settings file when the plan names it.
    LaunchPlan play(int listedRows, const ListedRow* selectedRow);
    // The same for an entry by its number (kestrel-cli), with the disk of `driveBNummer` in
    // drive B unless it is empty. Throws CatalogueError for an entry without a disk record.
    LaunchPlan playEntry(const QString& nummer, const QString& driveBNummer);
    // Edit Single Disk: the record to edit; refuses without a selection and for undumped disks.
    EntryRecord diskToEdit(int listedRows, const ListedRow* selectedRow);

    // Favourites.
    // Each returns how many entries changed (0 for an unknown number).
    int addFavourite(const QString& nummer);
    struct Removal {
        int changed = 0;
        bool removeRow = false; // the list shows favourites, so the row goes
        QString countText;      // of the list that is left
        bool noMatches = false;
    };
    Removal removeFavourite(const QString& nummer, int listedRows);
    // Returns whether the list, showing favourites, is to be emptied.
    bool clearFavourites();

    // Audits. Callers ask rootFolderProblem() first (the window asks the user, kestrel-cli
    // refuses unless forced); a group refuses "ALL". Each ends with nothing selected.
    struct AuditResult {
        qlonglong visited = 0;
        QString timeText; // " Audited in: 1.5 secs"
    };
    // Why an audit should not run now: the root game folder is missing, empty or holds none of
    // the disk folders; "" when it is there with some of them.
    QString rootFolderProblem();
    AuditResult auditAll(const AuditObserver& observer);
    AuditResult auditGroup(const QString& group, const AuditObserver& observer);
    // Looks for the image of an entry's disk and stores the answer; returns the code. An
    // undumped disk is refused.
    int auditEntry(const QString& nummer, bool undumped);
    static Refusal noGroupToAudit();

    // The text on its way to the clipboard: a paste replaces it, a report is appended.
    const QString& stagedText() const { return m_staged; }
    const QString& paste(const ListedRows& rows);
    // The report describes the search boxes as they stand and the last timed listing.
    const QString& stampReport(bool byName, const SearchCriteria& criteria, qsizetype listedRows,
                               const QDateTime& compiledAt);

Q_SIGNALS:
    void listModeChanged(ListMode mode);

private:
    ListingResult list(const QString& statement, const QStringList& captions,
                       const KeepRow& keep = {}, const RowSink& sink = {});
    // Ends the timing that began at `start`; returns the milliseconds it took.
    quint32 stopClock(quint32 start);
    void timeFrom(quint32 start, ListingResult& result);
    AuditResult timedAudit(const std::function<qlonglong()>& walk);
    void setListMode(ListMode mode);
    EntryRecord loadRecord(const QString& nummer);

    Catalogue& m_catalogue;
    Clock& m_clock;
    ProgramFolder m_folder;
    ListMode m_listMode = ListMode::Initial;
    bool m_selected = false;
    QString m_selectedImagePath;
    QString m_driveBImagePath;
    std::optional<EntryRecord> m_record;
    std::optional<ProgramPaths> m_paths;
    Emulator m_emulator;
    Timing m_timing;
    QString m_staged;
};
