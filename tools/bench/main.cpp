// kestrel-bench: measurements that are reported, never asserted.
//   kestrel-bench startup FOLDER   start the main window on FOLDER, quit once it is shown
//   kestrel-bench startup --empty  the same with an empty main window, for comparison
//   kestrel-bench listing FOLDER [RUNS]  time listing every entry into the result list
//   kestrel-bench search FOLDER [RUNS]   time the Search button for a few typical searches,
//                                        each labelled with the kestrel-cli search options
//                                        that list the same rows
//   kestrel-bench audit FOLDER ROOT      make every other disk's image under ROOT (empty files),
//                                        then time a full audit next to a bare stat() of the
//                                        same paths
// The window modes run on a scratch program folder (the catalogue of FOLDER linked in, a copy
// of its Rummage.ini), removed afterwards: the window writes each search into the settings'
// search history, and measuring must leave FOLDER as it was.
// scripts/bench-engine.sh runs all of them next to plain SQLite and prints one table.
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/Startup.h"
#include "core/catalogue/Catalogue.h"
#include "core/settings/Settings.h"
#include "core/images/DiskAudit.h"
#include "core/images/ImagePath.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QTimer>
#include <QTreeView>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

ProgramFolder folderAt(const QString& path) {
    ProgramFolder folder;
    folder.path = path;
    return folder;
}

// A throwaway program folder for a window on FOLDER: its catalogue linked in, its settings
// copied. Removed when it goes out of scope; the linked catalogue itself stays.
class ScratchFolder {
public:
    explicit ScratchFolder(const QString& measured)
        : m_dir(QDir::tempPath() + QStringLiteral("/kestrel-bench-XXXXXX")) {
        const QString catalogue = QDir(measured).absoluteFilePath(Catalogue::fileName());
        const QString settings = QDir(measured).filePath(Settings::fileName());
        if (!m_dir.isValid()) {
            m_error = QStringLiteral("cannot make a scratch folder: %1").arg(m_dir.errorString());
        } else if (!QFileInfo::exists(catalogue)) {
            m_error = QStringLiteral("no catalogue %1").arg(catalogue);
        } else if (!QFile::link(catalogue, m_dir.filePath(Catalogue::fileName())) ||
                   (QFileInfo::exists(settings) &&
                    !QFile::copy(settings, m_dir.filePath(Settings::fileName())))) {
            m_error = QStringLiteral("cannot fill the scratch folder %1").arg(m_dir.path());
        }
    }

    QString path() const { return m_dir.path(); }
    // Empty when the folder is ready; said on stderr by the caller otherwise.
    const QString& error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QString m_error;
};

int scratchFailed(const ScratchFolder& scratch) {
    std::fprintf(stderr, "kestrel-bench: %s\n", qPrintable(scratch.error()));
    return 1;
}

int startup(const QString& folder) {
    QtPrompts prompts;
    Catalogue catalogue;
    SystemClock clock;
    RecordingShell shell;
    std::optional<ScratchFolder> scratch;
    std::unique_ptr<MainWindow> window;
    QMainWindow empty;
    if (folder == QLatin1String("--empty")) {
        empty.show();
    } else if (!scratch.emplace(folder).error().isEmpty()) {
        return scratchFailed(*scratch);
    } else if (const int status = openMainWindow(folderAt(scratch->path()),
                                                 {catalogue, prompts, clock, shell}, window)) {
        return status;
    }
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

// A main window on a scratch copy of a program folder, with answered dialogs and no real
// starts. The scratch folder is declared first so that it outlives the window.
struct BenchWindow {
    ScratchFolder scratch;
    ScriptedPrompts prompts;
    Catalogue catalogue;
    SystemClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;
    int status;

    explicit BenchWindow(const QString& folder) : scratch(folder), status(open()) {}

private:
    int open() {
        if (!scratch.error().isEmpty())
            return scratchFailed(scratch);
        return openMainWindow(folderAt(scratch.path()), {catalogue, prompts, clock, shell}, window);
    }
};

int rowsListed(const MainWindow& window) {
    return window.findChild<QTreeView*>(QStringLiteral("ListView1"))->model()->rowCount();
}

void setSearchText(MainWindow& window, const char* text) {
    window.findChild<QComboBox*>(QStringLiteral("Combo8"))->setEditText(QLatin1String(text));
}

// Presses Search `runs` times, with `text` in the search box each time (a search puts the
// history's first row back into the box), and times it until the list is filled and drawn.
std::vector<qint64> timeSearch(MainWindow& window, int runs, const char* text) {
    auto* search = window.findChild<QPushButton*>(QStringLiteral("OKButton"));
    std::vector<qint64> times;
    for (int run = 0; run < runs; ++run) {
        if (text)
            setSearchText(window, text);
        QElapsedTimer timer;
        timer.start();
        search->click();
        QCoreApplication::processEvents(); // let the list lay out and paint
        times.push_back(timer.elapsed());
    }
    std::sort(times.begin(), times.end());
    return times;
}

// Every entry of the catalogue into the list (a name search for a space matches every title).
int listing(const QString& folder, int runs) {
    BenchWindow bench(folder);
    if (bench.status)
        return bench.status;
    const std::vector<qint64> times = timeSearch(*bench.window, runs, " ");
    std::printf("rows %d  runs %d  min %lld ms  median %lld ms  max %lld ms  peak memory %ld MB\n",
                rowsListed(*bench.window), runs, static_cast<long long>(times.front()),
                static_cast<long long>(times[times.size() / 2]),
                static_cast<long long>(times.back()), peakMegabytes());
    return 0;
}

// Typical searches, as the user would make them, each labelled with the kestrel-cli search
// options that list the same rows.
int search(const QString& folder, int runs) {
    BenchWindow bench(folder);
    if (bench.status)
        return bench.status;
    MainWindow& window = *bench.window;
    auto* groupBox = window.findChild<QComboBox*>(QStringLiteral("Combo6"));
    struct Case {
        const char* label;
        const char* text; // nullptr: a search by letter
        const char* letter;
        const char* group;
    };
    const Case cases[] = {{"--name dragon", "dragon", nullptr, "ALL"},
                          {"--name \"#dragon +demo\"", "#dragon +demo", nullptr, "ALL"},
                          {"--letter 0-9", nullptr, "0-9", "ALL"},
                          {"--group Automation", "", nullptr, "Automation"},
                          {"--name \" \"", " ", nullptr, "ALL"}};
    for (const Case& c : cases) {
        if (c.letter) {
            window.findChild<QRadioButton*>(QStringLiteral("Option1"))->setChecked(true);
            window.findChild<QComboBox*>(QStringLiteral("Combo3"))
                ->setCurrentText(QLatin1String(c.letter));
        } else {
            window.findChild<QRadioButton*>(QStringLiteral("Option2"))->setChecked(true);
        }
        groupBox->setCurrentText(QLatin1String(c.group));
        const qsizetype shown = bench.prompts.shown().size();
        const std::vector<qint64> times = timeSearch(window, runs, c.text);
        std::printf("%-28s rows %6d  min %4lld ms  median %4lld ms  max %4lld ms\n", c.label,
                    rowsListed(window), static_cast<long long>(times.front()),
                    static_cast<long long>(times[times.size() / 2]),
                    static_cast<long long>(times.back()));
        // A refused search lists nothing; say why rather than report its time.
        for (qsizetype i = shown; i < bench.prompts.shown().size(); ++i)
            std::printf("  refused: %s\n", qPrintable(bench.prompts.shown()[i].text));
    }
    std::printf("peak memory %ld MB\n", peakMegabytes());
    return 0;
}

int audit(const QString& folder, const QString& root) {
    Catalogue catalogue;
    catalogue.open(folder + QStringLiteral("/") + Catalogue::fileName());
    QStringList paths;
    ResultSet& rows = catalogue.query(u"SELECT * FROM Dnames WHERE F_ID < 25000");
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        paths << composeImagePath(root, DiskFiles::fromCurrentRow(rows));
    for (qsizetype i = 0; i < paths.size(); i += 2) {
        QDir().mkpath(QFileInfo(paths[i]).path());
        QFile(paths[i]).open(QIODevice::WriteOnly);
    }
    const qlonglong changing =
        catalogue.query(u"SELECT COUNT(*) FROM Dnames WHERE got IN (0, 1)").row(0)[0].toLongLong();

    // The floor: one stat() per path, the least any audit must do; taken before and after
    // the audit so that both see the same warm caches.
    auto statFloor = [&paths](int& found) {
        QElapsedTimer timer;
        timer.start();
        found = 0;
        for (const QString& path : paths) {
            struct stat info {};
            found += ::stat(QFile::encodeName(path).constData(), &info) == 0;
        }
        return timer.elapsed();
    };
    int found = 0;
    qint64 statMs = statFloor(found);
    QElapsedTimer timer;
    timer.start();
    const qlonglong visited = auditAllDisks(catalogue, root, {});
    const qint64 auditMs = timer.elapsed();
    statMs = std::min(statMs, statFloor(found));
    std::printf("codes that may change: %lld\n", changing);
    std::printf("disks %lld  present %d  stat() floor %lld ms  full audit %lld ms  ratio %.2f\n",
                visited, found, static_cast<long long>(statMs), static_cast<long long>(auditMs),
                statMs > 0 ? double(auditMs) / double(statMs) : 0.0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("startup"))
        return startup(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("listing"))
        return listing(args[2], args.size() > 3 ? args[3].toInt() : 5);
    if (args.size() >= 4 && args[1] == QLatin1String("audit"))
        return audit(args[2], args[3]);
    if (args.size() >= 3 && args[1] == QLatin1String("search"))
        return search(args[2], args.size() > 3 ? args[3].toInt() : 5);
    std::fprintf(stderr, "usage: kestrel-bench startup FOLDER|--empty | listing FOLDER [RUNS] | "
                         "search FOLDER [RUNS] | audit FOLDER ROOT\n");
    return 2;
}
