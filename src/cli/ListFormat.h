#pragma once

#include "core/search/Listing.h"

#include <QString>
#include <QStringList>

#include <optional>

// The forms a listing can be printed in: the list's lines as the window's text export writes
// them, or the fields each line stands for, for scripts.
enum class ListFormat { Text, Tsv, Json };

extern const char* const kFormatUsage;

// The format `--format` names; none for an unknown name.
std::optional<ListFormat> listFormatNamed(const QString& name);

// Prints a listing's rows on standard output as they come. TSV and JSON carry per row the
// entry number, the availability code as the row's icon shows it (1 available, 0 unavailable,
// 2 undumped; none when the row has no icon) and the game and group, in that order whatever
// the window's column order. TSV has a header line; in its fields a backslash, tab, line feed
// and carriage return are written \\, \t, \n and \r. JSON is one array of objects.
class ListPrinter {
public:
    // `captions`: the three columns' field names, as the listing was read with.
    ListPrinter(ListFormat format, const QStringList& captions);
    ~ListPrinter(); // ends the JSON array
    ListPrinter(const ListPrinter&) = delete;
    ListPrinter& operator=(const ListPrinter&) = delete;

    void print(const ListedRow& row);
    void print(const ListedRowView& row);

private:
    ListFormat m_format;
    int m_gameColumn;
    bool m_first = true;
};
