#include "common/TestRegistry.h"

#include "core/export/SearchReport.h"

#include <QTest>

namespace {

const QByteArray kRule(43, '-');

// The boxes as they stand; quotes and "#" are written as they are.
ReportFacts facts(bool nameMode, quint32 searchtime) {
    ReportFacts f;
    f.nameMode = nameMode;
    f.criteria.searchText = QStringLiteral("dragon +demo");
    f.criteria.operatorText = QStringLiteral("starts with");
    f.criteria.letterText = QStringLiteral("d");
    f.criteria.groupText = QStringLiteral("Deep Thought's");
    f.criteria.diskText = QStringLiteral("Deep Thought's 4#x");
    f.searchtime = searchtime;
    f.rowCount = 12;
    f.compiledAt = QDateTime(QDate(2026, 3, 7), QTime(9, 5, 4));
    return f;
}

} // namespace

// The search report block stamped below a pasted list.
class SearchReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blockByMode() {
        const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
        const QString name = reportBlock(facts(true, 1500), uk);
        QCOMPARE(name.toUtf8(), "\r\n" + kRule + "\r\nAtari ST Kestrel v1.2\r\n" + kRule +
                                    "\r\n<Search Report>\r\n\r\ncompiled at: [09:05:04; "
                                    "07/03/2026]\r\nsearch string: [dragon +demo]\r\n"
                                    "search query: [starts with]\r\n"
                                    "Across: [Deep Thought's] Group\r\n"
                                    "Disk(s): [Deep Thought's 4#x]\r\n"
                                    "found in: 1.5 secs\r\n"
                                    "produced: 12 results\r\n" +
                                    kRule);
        // The alphanumeric search names its letter in place of the search box's two lines.
        QStringList lines = name.split(QStringLiteral("\r\n"));
        lines.replace(7, QStringLiteral("starting with: [d]"));
        lines.removeAt(8);
        QCOMPARE(reportBlock(facts(false, 1500), uk).split(QStringLiteral("\r\n")), lines);
    }

    // Time, date and seconds as the locale writes them.
    void localeFormats_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<quint32>("ms");
        QTest::addColumn<QString>("compiled");
        QTest::addColumn<QString>("seconds");
        QTest::newRow("German, no group separator")
            << QLocale(QLocale::German, QLocale::Germany) << 1234567u << "09:05:04; 07.03.26"
            << "1234,567";
        QTest::newRow("C, longest time") << QLocale::c() << 4294967295u << "09:05:04; 7 Mar 2026"
                                         << "4294967.295";
    }
    void localeFormats() {
        QFETCH(QLocale, locale);
        QFETCH(quint32, ms);
        QFETCH(QString, compiled);
        QFETCH(QString, seconds);
        const QStringList lines =
            reportBlock(facts(true, ms), locale).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(6), QStringLiteral("compiled at: [") + compiled + u']');
        QCOMPARE(lines.value(11), QStringLiteral("found in: ") + seconds + QStringLiteral(" secs"));
    }
};

KESTREL_TEST(SearchReportTest)
#include "SearchReportTest.moc"
