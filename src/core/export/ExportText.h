#pragma once

#include "core/search/ListedRows.h"

#include <QString>

// The result list as text, for a file or the clipboard: one line per row, the first two
// columns in the order the list shows them, never the entry number.

// "first column -- second column", without a line end.
QString listLine(const ListedRow& row);
inline const QString kListColumnSeparator = QStringLiteral(" -- ");

// Every row's line, each one (the last too) ended by CR LF.
QString listText(const ListedRows& rows);

inline const QString kLineEnd = QStringLiteral("\r\n");

// The save dialog: its title, and the text files / all files choice in Qt's filter syntax.
inline const QString kSaveDialogTitle = QStringLiteral("Save Files");
inline const QString kSaveDialogFilter = QStringLiteral("Text files (*.txt *.doc);;All files (*)");

// The program folder's scratch file that every paste overwrites.
inline const QString kScratchFileName = QStringLiteral("Rummage.temp");

// Status lines of the three exports.
inline const QString kSavedText = QStringLiteral(" Results Saved To File");
inline const QString kPastedText = QStringLiteral(" Results sent to clipboard");
inline const QString kReportedText = QStringLiteral(" Search report stamped to clipboard");

// The message of a save that failed.
QString saveFailedText(const QString& path, const QString& reason);
