#pragma once

#include <QString>

// The clauses every listing statement shares. Texts between quotes have their quotes doubled.

// Group filter: a prefix match on the disk title, nothing for "ALL". `field` is written as
// given ("[Group]" for most listings, "[group]" for the alphanumeric one).
QString groupClause(const QString& groupBoxText, const QString& field = QStringLiteral("[Group]"));

// Disk filter: every "#"-separated part of the disk box text must occur in the disk title;
// the last part's condition comes first. Nothing for "All" or an empty text.
QString diskClause(const QString& diskBoxText);

// How many parts the disk filter would have (the caller refuses too many).
int diskClausePartCount(const QString& diskBoxText);

// Availability filters, in this order: exclude available, unavailable, undumped.
struct AvailabilityFilter {
    bool excludeAvailable = false;
    bool excludeUnavailable = false;
    bool excludeUndumped = false;
};
QString availabilityClause(const AvailabilityFilter& filter);

// " ORDER by <caption of the sort column>", with " DESC" for a descending list.
QString orderClause(const QString& sortColumnCaption, bool descending);
