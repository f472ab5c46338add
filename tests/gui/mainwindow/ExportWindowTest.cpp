#include "common/TestRegistry.h"

#include "common/TestFolder.h"

#include "WindowHarness.h"

#include "common/FileSizeLimit.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/export/SearchReport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

// An empty title, a title beyond ASCII; 2 and 3 are favourites.
const char* const kCatalogue =
    "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'), (2, 0, 'MB', 'MB', '9', 'st');"
    "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1),"
    " (2, 'Automation 12', '\xc3\x89lite', -1, 1), (3, 'Medway Boys 9', '', -1, 2);";

// The three entries as every listing of all of them shows them (by title).
const QString kAllLines = QStringLiteral(" -- Medway Boys 9\r\n"
                                         "Dragon Ninja -- Automation 12\r\n"
                                         "\u00c9lite -- Automation 12\r\n");

const QString kRule(43, u'-');

std::unique_ptr<WindowHarness> window() {
    auto h = std::make_unique<WindowHarness>(TestFolder::defaultSettings(),
                                             QString::fromUtf8(kCatalogue));
    h->window->show();
    return h;
}

// Lists every entry as a search taking `ms` would.
void listAll(WindowHarness& h, quint32 ms = 0) {
    h.window->starttime = 0;
    h.clock.set(ms);
    h.listAll();
    h.window->Text1->setText(QString());
}

void press(WindowHarness& h, const char* button) {
    h.find<QAction>(button)->trigger();
}

QString clipboard() {
    return QGuiApplication::clipboard()->text();
}

// A report block with "T" for its time stamp.
QString report(const QStringList& criteria, const QString& seconds, int rows,
               const QString& group = QStringLiteral("ALL")) {
    QString text = QStringLiteral("\r\n") + kRule +
                   QStringLiteral("\r\nAtari ST Kestrel v1.2\r\n") + kRule +
                   QStringLiteral("\r\n<Search Report>\r\n\r\ncompiled at: [T]\r\n");
    for (const QString& line : criteria)
        text += line + QStringLiteral("\r\n");
    return text + QStringLiteral("Across: [") + group +
           QStringLiteral("] Group\r\nDisk(s): [All]\r\n") + QStringLiteral("found in: ") +
           seconds + QStringLiteral(" secs\r\nproduced: ") + QString::number(rows) +
           QStringLiteral(" results\r\n") + kRule;
}

// Runs `action` and gives the clipboard text with each time stamp written between the
// moments before and after it replaced by "T"; another time stamp stays and fails the
// comparison.
template <typename Action> QString stampedClipboard(Action action) {
    const QDateTime before = QDateTime::currentDateTime();
    action();
    const QDateTime after = QDateTime::currentDateTime();
    const QLocale locale;
    QStringList stamps;
    for (const QDateTime& moment : {before, after})
        stamps << locale.toString(moment.time(), reportTimeFormat(locale)) + QStringLiteral("; ") +
                      locale.toString(moment.date(), QLocale::ShortFormat);
    QString text = clipboard();
    for (const QString& stamp : stamps)
        text.replace(QStringLiteral("compiled at: [") + stamp + u']',
                     QStringLiteral("compiled at: [T]"));
    return text;
}

} // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT
    QLocale m_locale;

private Q_SLOTS:
    void initTestCase() { m_locale = QLocale(); }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QGuiApplication::clipboard()->setText(QStringLiteral("left over"));
    }
    void cleanupTestCase() { QLocale::setDefault(m_locale); }

    void saveWritesTheListLines_data() {
        QTest::addColumn<int>("list"); // 0 every entry, 1 favourites in swapped columns, 2 none
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("every entry") << 0 << kAllLines.toUtf8();
        QTest::newRow("swapped columns, empty second column")
            << 1 << QByteArray("Medway Boys 9 -- \r\nAutomation 12 -- \xc3\x89lite\r\n");
        QTest::newRow("empty list") << 2 << QByteArray();
    }
    void saveWritesTheListLines() {
        QFETCH(int, list);
        QFETCH(QByteArray, bytes);
        auto h = window();
        if (list == 0)
            listAll(*h);
        if (list == 1) {
            press(*h, "Favourites");
            QTest::mouseClick(h->window->Check1, Qt::LeftButton);
            QCOMPARE(h->column(0), (QStringList{"Medway Boys 9", "Automation 12"}));
        }
        // An older, longer file is replaced; no extension is added to the chosen name.
        const QString path = h->folder.file(QStringLiteral("results"));
        QVERIFY(writeFileBytes(path, QByteArray(200, 'o')));
        h->prompts.setNextFileName(path);
        press(*h, "Save");
        QCOMPARE(fileBytes(path), bytes);
        QCOMPARE(h->window->Label3->text(), QStringLiteral(" Results Saved To File"));
        QVERIFY(h->prompts.shown().isEmpty());
        QVERIFY(!QFile::exists(path + QStringLiteral(".txt")));
    }

    void cancelledSaveIsSilent() {
        auto h = window();
        listAll(*h);
        press(*h, "mnusave");
        QCOMPARE(h->window->Label3->text(), QStringLiteral("  3 results"));
        QVERIFY(h->prompts.shown().isEmpty());
        QCOMPARE(QDir(h->folder.path()).entryList(QDir::Files).filter(QStringLiteral("result")),
                 QStringList{});
    }

    void failedSaveSaysWhyAndKeepsTheFile_data() {
        QTest::addColumn<bool>("halfWay"); // or else a folder that does not exist
        QTest::newRow("write fails half-way") << true;
        QTest::newRow("missing folder") << false;
    }
    void failedSaveSaysWhyAndKeepsTheFile() {
        QFETCH(bool, halfWay);
        auto h = window();
        listAll(*h);
        const QString path = h->folder.file(halfWay ? QStringLiteral("results.txt")
                                                    : QStringLiteral("gone/results.txt"));
        if (halfWay)
            QVERIFY(writeFileBytes(path, "old\r\n"));
        h->prompts.setNextFileName(path);
        {
            const FileSizeLimit limit(halfWay ? 16 : RLIM_INFINITY);
            press(*h, "mnusave");
        }
        QCOMPARE(h->prompts.shown().size(), 1);
        const ScriptedPrompts::Shown& shown = h->prompts.shown()[0];
        const QString start =
            QStringLiteral("The results could not be saved to \"") + path + QStringLiteral("\": ");
        QVERIFY2(shown.text.startsWith(start) && shown.text.size() > start.size(),
                 qPrintable(shown.text));
        QCOMPARE(shown.caption, QStringLiteral("Atari ST Kestrel"));
        QVERIFY(shown.icon == Prompts::Icon::Exclamation);
        QCOMPARE(h->window->Label3->text(), QStringLiteral("  3 results"));
        QCOMPARE(fileBytes(path), halfWay ? QByteArray("old\r\n") : QByteArray("<missing>"));
    }

    void pastePutsTheListOnTheClipboard() {
        auto h = window();
        listAll(*h);
        const QString scratch = h->folder.file(QStringLiteral("Rummage.temp"));
        for (const char* item : {"Paste", "mnupaste"}) {
            press(*h, item);
            QCOMPARE(clipboard(), kAllLines);
            QCOMPARE(fileBytes(scratch), kAllLines.toUtf8());
            QCOMPARE(h->window->Label3->text(), QStringLiteral(" Results sent to clipboard"));
        }
        // Each paste replaces both the scratch file and the clipboard.
        QTest::mouseClick(h->window->Command1, Qt::LeftButton);
        press(*h, "Paste");
        QCOMPARE(clipboard(), QString());
        QCOMPARE(fileBytes(scratch), QByteArray());
        QVERIFY(h->prompts.shown().isEmpty());
    }

    void pasteWithoutScratchFileStillPastes() {
        auto h = window();
        QVERIFY(QDir(h->folder.path()).mkdir(QStringLiteral("Rummage.temp")));
        listAll(*h);
        press(*h, "Paste");
        QCOMPARE(clipboard(), kAllLines);
        QCOMPARE(h->window->Label3->text(), QStringLiteral(" Results sent to clipboard"));
        QVERIFY(h->prompts.shown().isEmpty());
    }

    void reportFollowsThePastedList_data() {
        QTest::addColumn<bool>("nameMode");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QStringList>("criteria");
        QTest::addColumn<QString>("seconds");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QStringList named{"search string: [dragon]", "search query: [starts with]"};
        QTest::newRow("name mode, 1500 ms") << true << us << 1500u << named << "1.5";
        QTest::newRow("name mode, 16 ms, German")
            << true << QLocale(QLocale::German, QLocale::Germany) << 16u << named << "0,016";
        QTest::newRow("alphanumeric mode, 2000 ms")
            << false << us << 2000u << QStringList{"starting with: [d]"} << "2";
    }
    void reportFollowsThePastedList() {
        QFETCH(bool, nameMode);
        QFETCH(QLocale, locale);
        QFETCH(quint32, ms);
        QFETCH(QStringList, criteria);
        QFETCH(QString, seconds);
        QLocale::setDefault(locale);
        auto h = window();
        Form1* w = h->window.get();
        if (!nameMode)
            w->Option1->click();
        w->Combo8->setEditText(QStringLiteral("dragon"));
        w->Combo9->setCurrentIndex(w->Combo9->findText(QStringLiteral("starts with")));
        w->Combo3->setCurrentIndex(w->Combo3->findText(QStringLiteral("d")));
        listAll(*h, ms);
        press(*h, "Paste");
        const QString text = stampedClipboard([&] { press(*h, "Report"); });
        QCOMPARE(text, kAllLines + report(criteria, seconds, 3));
        QCOMPARE(w->Label3->text(), QStringLiteral(" Search report stamped to clipboard"));
    }

    // The staging buffer starts empty and gathers reports until the next paste.
    void reportsAccumulate() {
        auto h = window();
        Form1* w = h->window.get();
        listAll(*h, 1500);
        const QStringList criteria{"search string: []", "search query: [contains]"};
        QString text = stampedClipboard([&] { press(*h, "mnureport"); });
        QCOMPARE(text, report(criteria, QStringLiteral("1.5"), 3));

        w->Combo8->setEditText(QStringLiteral("zork"));
        text = stampedClipboard([&] { press(*h, "Report"); });
        QCOMPARE(text, report(criteria, QStringLiteral("1.5"), 3) +
                           report({"search string: [zork]", "search query: [contains]"},
                                  QStringLiteral("1.5"), 3));

        press(*h, "Paste");
        QCOMPARE(clipboard(), kAllLines);
    }

    // After a favourites listing the report gives its time and rows, and the search boxes
    // as they stand.
    void reportAfterFavourites() {
        auto h = window();
        Form1* w = h->window.get();
        listAll(*h, 1500);
        h->clock.set(90000);
        press(*h, "Favourites");
        w->Combo6->setCurrentIndex(w->Combo6->findText(QStringLiteral("Automation")));
        press(*h, "Paste");
        const QString text = stampedClipboard([&] { press(*h, "Report"); });
        QCOMPARE(text, QStringLiteral(" -- Medway Boys 9\r\n\u00c9lite -- Automation 12\r\n") +
                           report({"search string: []", "search query: [contains]"},
                                  QStringLiteral("0"), 2, QStringLiteral("Automation")));
    }
};

KESTREL_TEST(ExportWindowTest)
#include "ExportWindowTest.moc"
