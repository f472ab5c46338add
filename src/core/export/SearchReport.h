#pragma once

#include "core/search/SearchCriteria.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// What a search report describes: the search boxes as they stand (not as they were when
// the list was made), the time the last listing took and how many rows the list holds.
struct ReportFacts {
    bool nameMode = true; // the name search is chosen, not the alphanumeric one
    SearchCriteria criteria;
    quint32 searchtime = 0; // milliseconds
    qsizetype rowCount = 0;
    QDateTime compiledAt;
};

// The report block that is appended to the staging buffer: it starts with a line end, so
// that it stands on a line of its own below a pasted list, and ends with the closing rule,
// without a line end. Time, date and seconds are written as `locale` writes them.
QString reportBlock(const ReportFacts& facts, const QLocale& locale = QLocale());

// The locale's time format with seconds and without a time zone ("HH:mm:ss", "h:mm:ss AP").
QString reportTimeFormat(const QLocale& locale);
