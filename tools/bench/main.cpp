// kestrel-bench: measurements that are reported, never asserted.
//   kestrel-bench startup FOLDER   start the main window on FOLDER, quit once it is shown
//   kestrel-bench startup --empty  the same with an empty main window, for comparison
//   kestrel-bench listing FOLDER [RUNS]  time listing every entry into the result list
//   kestrel-bench search FOLDER [RUNS]   time the Search button for a few typical searches
//   kestrel-bench audit FOLDER ROOT      make every other disk's image under ROOT (empty files),
//                                        then time a full audit next to a bare stat() of the
//                                        same paths
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/Startup.h"
#include "core/catalogue/Catalogue.h"
#include "core/images/DiskAudit.h"
#include "core/images/ImagePath.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"
#include "gui/platform/Shell.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
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

int startup(const QString& folder) {
    QtPrompts prompts;
    Catalogue catalogue;
    SystemClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;
    QMainWindow empty;
    if (folder == QLatin1String("--empty")) {
        empty.show();
    } else if (const int status =
                   openMainWindow(folderAt(folder), {catalogue, prompts, clock, shell}, window)) {
        return status;
    }
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

// A main window on a program folder, with answered dialogs and no real starts.
struct BenchWindow {
    ScriptedPrompts prompts;
    Catalogue catalogue;
    SystemClock clock;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;
    int status;

    explicit BenchWindow(const QString& folder)
        : status(openMainWindow(folderAt(folder), {catalogue, prompts, clock, shell}, window)) {}
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

// Typical searches, as the user would make them.
int search(const QString& folder, int runs) {
    BenchWindow bench(folder);
    if (bench.status)
        return bench.status;
    MainWindow& window = *bench.window;
    struct Case {
        const char* name;
        const char* text;
        const char* letter;
    };
    const Case cases[] = {{"space only (every entry)", " ", nullptr},
                          {"#dragon +demo, contains", "#dragon +demo", nullptr},
                          {"0-9, alphanumeric", nullptr, "0-9"}};
    for (const Case& c : cases) {
        if (c.letter) {
            window.findChild<QRadioButton*>(QStringLiteral("Option1"))->setChecked(true);
            window.findChild<QComboBox*>(QStringLiteral("Combo3"))
                ->setCurrentText(QLatin1String(c.letter));
        } else {
            window.findChild<QRadioButton*>(QStringLiteral("Option2"))->setChecked(true);
        }
        const std::vector<qint64> times = timeSearch(window, runs, c.text);
        std::printf("%-28s rows %6d  min %4lld ms  median %4lld ms  max %4lld ms\n", c.name,
                    rowsListed(window), static_cast<long long>(times.front()),
                    static_cast<long long>(times[times.size() / 2]),
                    static_cast<long long>(times.back()));
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
