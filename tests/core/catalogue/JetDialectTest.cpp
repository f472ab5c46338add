#include "common/FixtureCatalogue.h"

#include "core/catalogue/JetLike.h"
#include "core/catalogue/JetText.h"
#include "core/catalogue/SqlText.h"
#include "common/TestRegistry.h"

#include <QTest>

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Every fixture entry by title, one run per row. The accented title (20) is left out: where
// it belongs among unaccented titles is not settled.
const QString allByGame = QStringLiteral(
    "9 | 19 | 23 | 17 | 24 | 18 | 25 | 26 | 100001 | 13 | 14 | 1 | 2 | 6 | 27 | 10 | 3 | 5 | 8 "
    "| 4 | 7 | 12 | 11 | 16 | 15 | 22 | 21");

QString reversedRuns(const QString& runs) {
    QStringList parts = runs.split(QStringLiteral(" | "));
    std::reverse(parts.begin(), parts.end());
    return parts.join(QStringLiteral(" | "));
}

} // namespace

// The catalogue's SQL dialect as the engine runs it: LIKE, "&", reserved names, text order.
class JetDialectTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The matcher alone: each pattern with a text it matches and one it does not (null for
    // none), and malformed patterns, which are refused.
    void pattern_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        const char* const cases[][3] = {
            {"%", "", nullptr},
            {"X%n", "Xenon", "Xenox"},
            {"%ab", "aab", nullptr},
            {"%ab%c", nullptr, "abxbx"},
            {"_", "a", ""},
            {"", "", nullptr},
            {"Kla", nullptr, "Klax"},
            {"[a-c]", "b", "d"},
            {"[a-c]x", "Bx", nullptr},
            {"[xyz]enon", "Xenon", nullptr},
            {"[!x]", "y", "X"},
            {"[^x]", "y", "x"},
            {"100[%]%", "100% Dynamite", "1000 Dynamite"},
            {"a[_]b", "a_b", "acb"},
            {"Xenon*", "Xenon*", "Xenon 2"},
            {"Kla?", "Kla?", "Klax"},
            {"#", "#", "1"},
            {"xenon", "XENON", nullptr},
            {"élite", "ÉLITE", nullptr},
            {"ÉLITE", "élite", nullptr},
            {"[é]lite", "Élite", nullptr},
            {"elite", nullptr, "Élite"},
            {"a_b", "a\U0001F600b", nullptr},
        };
        for (const auto& [pattern, yes, no] : cases) {
            for (const auto& [text, result] : {std::pair(yes, "yes"), std::pair(no, "no")}) {
                if (text)
                    QTest::addRow("'%s' on '%s'", pattern, text)
                        << QString::fromUtf8(pattern) << QString::fromUtf8(text) << result;
            }
        }
        for (const char* pattern : {"[abc", "Xenon[", "%[!a", "[z-a]", "%[a-c][9-0]%"})
            QTest::newRow(pattern) << QString::fromUtf8(pattern) << "a"
                                   << "Invalid pattern string";
    }
    void pattern() {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QString error;
        const std::optional<JetPattern> compiled = JetPattern::compile(pattern, &error);
        if (!compiled) {
            QCOMPARE(error, result);
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        const auto answer = [](bool yes) { return QString::fromLatin1(yes ? "yes" : "no"); };
        QCOMPARE(answer(compiled->matches(text)), result);
        QCOMPARE(answer(compiled->matchesUtf8(utf8.constData(), int(utf8.size()))), result);
    }

    // LIKE, Null and text order inside statements run against the fixture.
    void statements_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("rows");
        const QString where = QStringLiteral("SELECT * FROM Compilations WHERE ");
        const QString automation130 = where + "[Group] LIKE 'Automation 130' ORDER by Game";
        const QString pompey = where + "[Group] LIKE 'p%' ORDER by Group";
        const QString all = where + "Nummer <> 20 ORDER by Game";
        // A missing title (entry 9) matches neither LIKE nor NOT LIKE.
        const QString allButNull = QStringLiteral("1 2 3 4 5 6 7 8 10 11 12 13 14 15 16 17 18 19 "
                                                  "20 21 22 23 24 25 26 27 100001");
        const QString allButNullOrX = QStringLiteral("1 2 3 4 5 6 7 8 10 11 12 13 14 15 16 17 "
                                                     "18 19 20 23 24 25 26 27 100001");
        const std::pair<QString, QString> cases[] = {
            {where + "[Game] LIKE '[!a-z]%'", "17 18 20 23 24 25 26"},
            {where + "[Game] LIKE '%[%]%'", "23"},
            {where + "[Game] LIKE 'élite'", "20"},
            {where + "[Game] LIKE '%'", allButNull},
            {where + "[Game] NOT LIKE 'x%'", allButNullOrX},
            {where + "[Game] NOT LIKE '_%'", "19"},
            {where + "Nummer LIKE '5'", "5"},
            // A pattern that changes from row to row (a missing title gives the pattern "%").
            {where + "'Xenon Deluxe' LIKE [Game] & '%'", "9 19 21 22"},
            {all, allByGame},
            {all + " DESC", reversedRuns(allByGame)},
            {automation130, "9 | 10 | 12 | 11"},
            {automation130 + " DESC", "11 | 12 | 10 | 9"},
            {pompey, "22 24 | 21 23"},
            {pompey + " DESC", "21 23 | 22 24"},
        };
        for (const auto& [statement, rows] : cases)
            QTest::newRow(qPrintable(statement.mid(where.size()))) << statement << rows;
    }
    void statements() {
        QFETCH(QString, statement);
        QFETCH(QString, rows);
        OpenCatalogue open;
        QCOMPARE(runsOf(open.catalogue, statement, rows), normalisedRuns(rows));
    }

    void invalidPatternFailsTheStatement_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("changesRows");
        QTest::newRow("unbalanced [, query")
            << "SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID = Dnames.F_ID AND [Game] "
               "LIKE '%[abc%' ORDER by Game"
            << false;
        QTest::newRow("unbalanced [, update")
            << "UPDATE Compilations,Dnames SET got= 1 WHERE Compilations.F_ID=Dnames.F_ID AND "
               "([group] LIKE 'Automation[%')"
            << true;
    }
    // The statement fails as a whole; a query leaves the shared result set empty.
    void invalidPatternFailsTheStatement() {
        QFETCH(QString, statement);
        QFETCH(bool, changesRows);
        OpenCatalogue open;
        open.catalogue.query(u"SELECT * FROM Dnames");
        try {
            if (changesRows)
                open.catalogue.execute(statement);
            else
                open.catalogue.query(statement);
            QFAIL("the statement ran");
        } catch (const CatalogueError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("Invalid pattern string")),
                     qPrintable(error.message()));
        }
        QCOMPARE(open.catalogue.results().rowCount(), changesRows ? 9 : 0);
        QCOMPARE(fieldValues(open.catalogue.query(u"SELECT got FROM Dnames ORDER BY F_ID"),
                             QStringLiteral("got")),
                 QStringList({"1", "0", "2", "0", "Null", "1", "0", "0", "1"}));
    }

    // "&" joins texts with Null as the empty text; Null only when every operand is.
    void concatenation_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("nummer");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("padded title") << "' ' & [Game] & ' '" << 21 << QVariant(" Xenon ");
        QTest::newRow("padded Null title") << "' ' & [Game] & ' '" << 9 << QVariant("  ");
        QTest::newRow("padded empty title") << "' ' & [Game] & ' '" << 19 << QVariant("  ");
        QTest::newRow("all Null") << "[Game] & [Game]" << 9 << QVariant();
        QTest::newRow("Null literal") << "'a' & Null & 'b'" << 9 << QVariant("ab");
        QTest::newRow("numbers") << "Nummer & '-' & F_ID" << 5 << QVariant("5-2");
        QTest::newRow("inside parentheses")
            << "('[' & [Group] & ']')" << 25 << QVariant("[Anarchy 1]");
        QTest::newRow("literal untouched")
            << "'Group & Game' & [Game]" << 21 << QVariant("Group & GameXenon");
    }
    void concatenation() {
        QFETCH(QString, expression);
        QFETCH(int, nummer);
        QFETCH(QVariant, value);
        OpenCatalogue open;
        const ResultSet& results = open.catalogue.query(
            QStringLiteral("SELECT %1 AS joined FROM Compilations WHERE Nummer = %2")
                .arg(expression)
                .arg(nummer));
        QCOMPARE(results.rowCount(), 1);
        const QVariant joined = results.field(u"joined");
        QCOMPARE(joined.isNull(), value.isNull());
        QCOMPARE(joined.toString(), value.toString());
    }

    void compareText_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        const std::tuple<const char*, const char*, int> cases[] = {
            {"Xenon", "Xenon", 0},
            {"", "a", -1},
            {"Demo", "Demolition", -1},
            {"Zebra", "apple", 1},
            {"ABC", "abcd", -1},
            // Only case differs: the stored forms decide, so such texts never compare equal.
            {"XENON", "Xenon", -1},
            {"Élite", "élite", -1},
            {"éa", "ÉB", -1}};
        for (const auto& [a, b, order] : cases)
            QTest::addRow("'%s' to '%s'", a, b)
                << QString::fromUtf8(a) << QString::fromUtf8(b) << order;
    }
    void compareText() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(sign(compareJetText(a, b)), order);
        QCOMPARE(sign(compareJetText(b, a)), -order);
        const QByteArray x = a.toUtf8();
        const QByteArray y = b.toUtf8();
        QCOMPARE(
            sign(compareJetTextUtf8(x.constData(), int(x.size()), y.constData(), int(y.size()))),
            order);
    }

    // Only the quote is escaped; LIKE's own characters keep their meaning.
    void quoteDoubling() {
        QCOMPARE(quoteDoubled(QStringLiteral("Deep Thought's")), QStringLiteral("Deep Thought''s"));
        QCOMPARE(quoteDoubled(QStringLiteral("a''b")), QStringLiteral("a''''b"));
        QCOMPARE(quoteDoubled(QStringLiteral("100%_[x]")), QStringLiteral("100%_[x]"));
    }
};

KESTREL_TEST(JetDialectTest)
#include "JetDialectTest.moc"
