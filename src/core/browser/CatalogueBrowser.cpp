#include "core/browser/CatalogueBrowser.h"

#include "core/browser/Clock.h"
#include "core/catalogue/Catalogue.h"
#include "core/export/ExportFiles.h"
#include "core/export/ExportText.h"
#include "core/export/SearchReport.h"
#include "core/favourites/Favourites.h"
#include "core/images/LaunchChecks.h"
#include "core/search/GroupBrowse.h"
#include "core/search/SearchHistory.h"
#include "core/settings/SettingsStore.h"

#include <QFileInfo>

namespace {

const QString kNotSelected = QStringLiteral("No Game has been selected!");

} // namespace

CatalogueBrowser::CatalogueBrowser(Catalogue& catalogue, Clock& clock, const ProgramFolder& folder,
                                   QObject* parent)
    : QObject(parent), m_catalogue(catalogue), m_clock(clock), m_folder(folder),
      m_emulator(folder.settings().emulator()) {}

void CatalogueBrowser::setListMode(ListMode mode) {
    if (m_listMode == mode)
        return;
    m_listMode = mode;
    Q_EMIT listModeChanged(mode);
}

ListingResult CatalogueBrowser::list(const QString& statement, const QStringList& captions,
                                     const KeepRow& keep, const RowSink& sink) {
    ListingResult result;
    // Only what a line shows, its icon's code and the disk title the compression compares.
    RowStream rows = m_catalogue.stream(
        statement, captions + QStringList{QStringLiteral("got"), QStringLiteral("Group")});
    result.rowCount = listRows(
        rows, captions,
        sink ? sink : [&result](const ListedRowView& line) { result.rows.append(line); }, keep);
    return result;
}

quint32 CatalogueBrowser::stopClock(quint32 start) {
    m_timing.start = start;
    m_timing.end = m_clock.tickCount();
    m_timing.elapsed = ticksBetween(m_timing.start, m_timing.end);
    return m_timing.elapsed;
}

void CatalogueBrowser::timeFrom(quint32 start, ListingResult& result) {
    result.elapsed = stopClock(start);
    result.timeText = foundInText(result.elapsed);
    result.noMatches = result.rowCount == 0;
}

PreparedSearch CatalogueBrowser::startSearch(const SearchRequest& request) {
    m_selected = false;
    m_timing.start = m_clock.tickCount();
    setListMode(ListMode::Search);
    return prepareSearch(request);
}

ListingResult CatalogueBrowser::runSearch(const PreparedSearch& search, const QStringList& captions,
                                          const RowSink& sink) {
    const quint32 start = m_timing.start;
    ListingResult result = list(search.statement, captions, {}, sink);
    timeFrom(start, result);
    result.countText = result.rowCount == 0 ? search.emptyText : resultCountText(result.rowCount);
    return result;
}

QStringList CatalogueBrowser::rememberSearch(const QString& searchedText,
                                             const QStringList& shownHistory) {
    return recordSearch(searchedText, shownHistory, settings().file());
}

ListingResult CatalogueBrowser::listFavourites(const AvailabilityFilter& filter,
                                               const QStringList& captions) {
    setListMode(ListMode::Favourites);
    const quint32 start = m_clock.tickCount();
    m_timing.start = start;
    ListingResult result = list(favouritesStatement(filter), captions);
    timeFrom(start, result);
    result.countText =
        result.rowCount == 0 ? kNoFavouritesText : favouritesCountText(result.rowCount);
    return result;
}

std::optional<ListingResult> CatalogueBrowser::compress(const SearchCriteria& criteria,
                                                        const QStringList& captions) {
    if (criteria.groupText == QLatin1String("ALL"))
        return std::nullopt;
    // Not timed: the time line and the timing stay those of the last search.
    const quint32 start = m_clock.tickCount();
    ListingResult result = list(compressorStatement(criteria), captions, FirstOfEachDisk());
    result.elapsed = ticksBetween(start, m_clock.tickCount());
    result.countText = resultCountText(result.rowCount);
    return result;
}

QStringList CatalogueBrowser::diskTitles(const QString& group) {
    return diskBoxEntries(m_catalogue.query(groupBrowseStatement(group)));
}

void CatalogueBrowser::reset() {
    m_selected = false;
    setListMode(ListMode::Favourites);
}

EntryRecord CatalogueBrowser::loadRecord(const QString& nummer) {
    const ResultSet& rows = m_catalogue.query(entryRecordStatement(nummer));
    if (rows.atEnd())
        throw CatalogueError(
            QStringLiteral("There is no entry %1 with a disk record.").arg(nummer));
    EntryRecord record{nummer, DiskFiles::fromCurrentRow(rows), rows.field(u"got")};
    m_record = record;
    return record;
}

EntryRecord CatalogueBrowser::recordOf(const QString& nummer) {
    if (m_record && m_record->nummer == nummer)
        return *m_record;
    return loadRecord(nummer);
}

RowDetails CatalogueBrowser::selectRow(const ListedRow& row, int listedRows) {
    RowDetails details;
    // Each step stands alone: an entry without a disk record still shows what it can.
    m_record.reset();
    tolerate("Looking up the clicked entry", [&] {
        const EntryRecord record = loadRecord(row.sub2);
        m_selectedImagePath = composeImagePath(rootFolder(), record.files);
        details.imagePlace = relativeImagePath(record.files);
    });
    details.entryText = row.text;
    if (row.icon == UndumpedIcon)
        details.availability = QStringLiteral("Undumped");
    else if (row.icon == UnavailableIcon)
        details.availability = QStringLiteral("Unavailable");
    else if (row.icon == AvailableIcon)
        details.availability = QStringLiteral("Available");
    if (listedRows > 0)
        m_selected = true;
    return details;
}

void CatalogueBrowser::placeInDriveB(const ListedRow& row) {
    tolerate("Placing a disk in drive B",
             [&] { m_driveBImagePath = composeImagePath(rootFolder(), recordOf(row.sub2).files); });
}

const ProgramPaths& CatalogueBrowser::programPaths() {
    if (!m_paths)
        m_paths = settings().programPaths();
    return *m_paths;
}

void CatalogueBrowser::chooseEmulator(Emulator emulator) {
    // Saved first: a choice that cannot be saved is not taken.
    settings().storeEmulator(emulator);
    m_emulator = emulator;
}

LaunchPlan CatalogueBrowser::play(int listedRows, const ListedRow* selectedRow) {
    if (listedRows == 0 || !m_selected)
        throw Refusal{kNotSelected};
    if (!selectedRow || selectedRow->icon != AvailableIcon)
        throw Refusal{QStringLiteral("You do not appear to have the disk image for this game!")};
    const ProgramPaths& paths = programPaths();
    const QString program = paths.program(m_emulator);
    const QString problem = configurationProblem(m_emulator, program);
    if (!problem.isEmpty())
        throw Refusal{problem};
    const LaunchPlan plan =
        planLaunch(m_emulator, program, m_selectedImagePath, m_driveBImagePath, paths.options);
    if (!plan.startable)
        return plan;
    // The code in the catalogue is as old as the last audit; the file may have gone since.
    if (const QString missing = missingDiskProblem(plan); !missing.isEmpty())
        throw Refusal{missing};
    if (m_emulator == Emulator::Hatari)
        if (const QString noTos = hatariTosProblem(program, paths.options); !noTos.isEmpty())
            throw Refusal{noTos};
    if (!plan.iniFile.isEmpty())
        writeini(QStringLiteral("Disks"), QStringLiteral("DriveA"), m_selectedImagePath,
                 plan.iniFile);
    return plan;
}

LaunchPlan CatalogueBrowser::playEntry(const QString& nummer, const QString& driveBNummer) {
    // Looked up first, so that an unknown number is an error rather than a skipped step.
    if (!driveBNummer.isEmpty())
        m_driveBImagePath = composeImagePath(rootFolder(), recordOf(driveBNummer).files);
    const EntryRecord record = recordOf(nummer);
    const ListedRow row{nummer, QString(), nummer, iconForGot(record.got, NoIcon)};
    selectRow(row, 1);
    return play(1, &row);
}

EntryRecord CatalogueBrowser::diskToEdit(int listedRows, const ListedRow* selectedRow) {
    if (listedRows == 0 || !m_selected || !selectedRow)
        throw Refusal{kNotSelected};
    if (selectedRow->icon == UndumpedIcon)
        throw Refusal{QStringLiteral("You cannot edit undefined/undumped games!")};
    // Read afresh: the kept record may be from before another edit.
    return loadRecord(selectedRow->sub2);
}

int CatalogueBrowser::addFavourite(const QString& nummer) {
    return m_catalogue.execute(addFavouriteStatement(nummer));
}

CatalogueBrowser::Removal CatalogueBrowser::removeFavourite(const QString& nummer, int listedRows) {
    Removal removal;
    removal.changed = m_catalogue.execute(removeFavouriteStatement(nummer));
    removal.removeRow = m_listMode == ListMode::Favourites;
    const int left = removal.removeRow ? listedRows - 1 : listedRows;
    removal.countText = countAfterRemovalText(left);
    removal.noMatches = left == 0;
    return removal;
}

bool CatalogueBrowser::clearFavourites() {
    m_catalogue.execute(clearFavouritesStatement());
    return m_listMode == ListMode::Favourites;
}

Refusal CatalogueBrowser::noGroupToAudit() {
    return {QStringLiteral("No Group has been selected to audit!")};
}

QString CatalogueBrowser::rootFolderProblem() {
    return rootFolderProblemText(m_catalogue, rootFolder());
}

CatalogueBrowser::AuditResult CatalogueBrowser::timedAudit(const std::function<qlonglong()>& walk) {
    const quint32 start = m_clock.tickCount();
    AuditResult result;
    result.visited = walk();
    result.timeText = auditedInText(stopClock(start));
    m_selected = false;
    return result;
}

CatalogueBrowser::AuditResult CatalogueBrowser::auditAll(const AuditObserver& observer) {
    return timedAudit([&] { return auditAllDisks(m_catalogue, rootFolder(), observer); });
}

CatalogueBrowser::AuditResult CatalogueBrowser::auditGroup(const QString& group,
                                                           const AuditObserver& observer) {
    if (group == QLatin1String("ALL"))
        throw noGroupToAudit();
    return timedAudit([&] { return ::auditGroup(m_catalogue, group, rootFolder(), observer); });
}

int CatalogueBrowser::auditEntry(const QString& nummer, bool undumped) {
    if (undumped)
        throw Refusal{QStringLiteral("This game is currently marked as undefined and/or "
                                     "requires dumping"),
                      QStringLiteral("Audit Info")};
    const int code = ::auditEntry(m_catalogue, recordOf(nummer).files, nummer, rootFolder());
    m_selected = false;
    return code;
}

const QString& CatalogueBrowser::paste(const ListedRows& rows) {
    const QString text = listText(rows);
    const QString scratch = m_folder.dataFile(kScratchFileName);
    // The list reaches the buffer through the scratch file, or directly when that cannot be
    // written (a read-only program folder). A failed read-back leaves the buffer as it was.
    if (tolerate("Writing the scratch file", [&] { overwriteTextFile(scratch, text); }))
        tolerate("Reading the scratch file back", [&] { m_staged = readTextFile(scratch); });
    else
        m_staged = text;
    return m_staged;
}

const QString& CatalogueBrowser::stampReport(bool byName, const SearchCriteria& criteria,
                                             qsizetype listedRows, const QDateTime& compiledAt) {
    ReportFacts facts;
    facts.nameMode = byName;
    facts.criteria = criteria;
    facts.searchtime = m_timing.elapsed;
    facts.rowCount = listedRows;
    facts.compiledAt = compiledAt;
    m_staged += reportBlock(facts);
    return m_staged;
}
