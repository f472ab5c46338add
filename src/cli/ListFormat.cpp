#include "cli/ListFormat.h"

#include "cli/Console.h"

#include "core/export/ExportText.h"

#include <QJsonDocument>
#include <QJsonObject>

const char* const kFormatUsage =
    "  --format text|tsv|json   (search, compress, favourites list)\n"
    "              text, the default, prints the lines as above; tsv and json print per row\n"
    "              entry, availability (1, 0, 2 or none), game and group; tsv has a header\n"
    "              line and writes \\, tab, line feed and carriage return in its fields as\n"
    "              \\\\, \\t, \\n and \\r\n";

namespace {

QString tsvField(QString text) {
    return text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"));
}

QJsonValue availability(int icon) {
    switch (icon) {
    case AvailableIcon:
        return 1;
    case UnavailableIcon:
        return 0;
    case UndumpedIcon:
        return 2;
    default:
        return QJsonValue::Null;
    }
}

// A number where the entry number is one, as the catalogue stores it; its text otherwise.
QJsonValue entry(const QString& nummer) {
    bool ok = false;
    const qlonglong number = nummer.toLongLong(&ok);
    return ok ? QJsonValue(number) : QJsonValue(nummer);
}

} // namespace

std::optional<ListFormat> listFormatNamed(const QString& name) {
    if (name == QLatin1String("text"))
        return ListFormat::Text;
    if (name == QLatin1String("tsv"))
        return ListFormat::Tsv;
    if (name == QLatin1String("json"))
        return ListFormat::Json;
    return std::nullopt;
}

ListPrinter::ListPrinter(ListFormat format, const QStringList& captions)
    : m_format(format),
      m_gameColumn(captions.value(0).compare(QLatin1String("Game"), Qt::CaseInsensitive) == 0 ? 0
                                                                                              : 1) {
    if (m_format == ListFormat::Tsv)
        cliOut() << "entry\tavailability\tgame\tgroup\n";
    if (m_format == ListFormat::Json)
        cliOut() << "[";
}

ListPrinter::~ListPrinter() {
    if (m_format == ListFormat::Json)
        cliOut() << (m_first ? "]\n" : "\n]\n");
}

void ListPrinter::print(const ListedRow& row) {
    const QString& game = m_gameColumn == 0 ? row.text : row.sub1;
    const QString& group = m_gameColumn == 0 ? row.sub1 : row.text;
    switch (m_format) {
    case ListFormat::Text:
        cliOut() << listLine(row) << "\n";
        break;
    case ListFormat::Tsv: {
        const QJsonValue code = availability(row.icon);
        cliOut() << tsvField(row.sub2) << '\t'
                 << (code.isNull() ? QString() : QString::number(code.toInt())) << '\t'
                 << tsvField(game) << '\t' << tsvField(group) << "\n";
        break;
    }
    case ListFormat::Json: {
        const QJsonObject object{{QStringLiteral("entry"), entry(row.sub2)},
                                 {QStringLiteral("availability"), availability(row.icon)},
                                 {QStringLiteral("game"), game},
                                 {QStringLiteral("group"), group}};
        cliOut() << (m_first ? "\n" : ",\n")
                 << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
        break;
    }
    }
    m_first = false;
}

void ListPrinter::print(const ListedRowView& row) {
    // Text as the window's lines, without decoding what the line does not show.
    if (m_format == ListFormat::Text) {
        cliOut() << QString::fromUtf8(row.columns[0]) << kListColumnSeparator
                 << QString::fromUtf8(row.columns[1]) << "\n";
        return;
    }
    print(ListedRow{QString::fromUtf8(row.columns[0]), QString::fromUtf8(row.columns[1]),
                    QString::fromUtf8(row.columns[2]), row.icon});
}
