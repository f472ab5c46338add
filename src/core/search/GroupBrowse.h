#pragma once

#include "core/search/SearchCriteria.h"

#include <QByteArray>
#include <QStringList>

class ResultSet;
class RowStream;

// The statement that reads a group's disk titles, in order (entries numbered below 100000).
QString groupBrowseStatement(const QString& group);

// "All" and every distinct disk title of the rows, in their order; titles are compared
// exactly, so titles that differ only in case are two rows. Rows without a title add nothing.
QStringList diskBoxEntries(ResultSet& rows);

// The statement of the duplicate-disk compression: the group's entries, filtered by
// availability, ordered by disk title.
QString compressorStatement(const SearchCriteria& criteria);

// Keeps the first row of each run of equal disk titles; call it on the rows in order.
class FirstOfEachDisk {
public:
    bool operator()(const RowStream& rows);

private:
    int m_field = -2; // not looked up yet
    QByteArray m_previous;
};
