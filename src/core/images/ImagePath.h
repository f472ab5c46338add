#pragma once

#include <QString>
#include <QVariant>

class ResultSet;
class RowStream;

// The four file fields of a disk (Dnames): where its image lies below the root game folder.
// A Null field is kept as the empty text.
struct DiskFiles {
    QString folder;
    QString filename;
    QString filenumber;
    QString fileexten;

    // The fields of the current row of a result set (field names matched without case);
    // throws CatalogueError when the result set is at its end or lacks a field.
    static DiskFiles fromCurrentRow(const ResultSet& rows);
};

// The four file fields of a stream's rows, found once: a walk reads thousands of rows.
class DiskFilesColumns {
public:
    // Throws CatalogueError when the stream lacks one of the fields.
    explicit DiskFilesColumns(const RowStream& rows);

    // The current row's fields, read as DiskFiles::fromCurrentRow reads them, into `files`
    // in the room its texts have.
    void read(const RowStream& rows, DiskFiles& files) const;

private:
    int m_folder;
    int m_filename;
    int m_filenumber;
    int m_fileexten;
};

// The joined record of one entry, by its number: where a clicked row's disk is looked up.
QString entryRecordStatement(const QString& nummer);

// folder, separator, file name, file number, ".", extension: each piece as stored, nothing
// trimmed, no separator added or removed; empty pieces keep the separators around them.
QString relativeImagePath(const DiskFiles& files);
// The same, appended to `path`: a walk composes all its paths in one buffer.
void appendRelativeImagePath(QString& path, const DiskFiles& files);

// root, separator, then the relative path.
QString composeImagePath(const QString& root, const DiskFiles& files);
