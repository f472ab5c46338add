#include "core/images/ImagePath.h"

#include "core/catalogue/ResultSet.h"
#include "core/catalogue/RowStream.h"

#include <QDir>

namespace {

// Null reads as the empty text, a number as its decimal text.
QString fieldText(const ResultSet& rows, QStringView name) {
    return rows.field(name).toString();
}

} // namespace

DiskFiles DiskFiles::fromCurrentRow(const ResultSet& rows) {
    DiskFiles files;
    files.folder = fieldText(rows, u"folder");
    files.filename = fieldText(rows, u"filename");
    files.filenumber = fieldText(rows, u"filenumber");
    files.fileexten = fieldText(rows, u"fileexten");
    return files;
}

DiskFilesColumns::DiskFilesColumns(const RowStream& rows)
    : m_folder(rows.requiredColumn(u"folder")), m_filename(rows.requiredColumn(u"filename")),
      m_filenumber(rows.requiredColumn(u"filenumber")),
      m_fileexten(rows.requiredColumn(u"fileexten")) {}

void DiskFilesColumns::read(const RowStream& rows, DiskFiles& files) const {
    rows.textInto(m_folder, files.folder);
    rows.textInto(m_filename, files.filename);
    rows.textInto(m_filenumber, files.filenumber);
    rows.textInto(m_fileexten, files.fileexten);
}

QString relativeImagePath(const DiskFiles& files) {
    QString path;
    appendRelativeImagePath(path, files);
    return path;
}

void appendRelativeImagePath(QString& path, const DiskFiles& files) {
    path += files.folder;
    path += QDir::separator();
    path += files.filename;
    path += files.filenumber;
    path += u'.';
    path += files.fileexten;
}

QString composeImagePath(const QString& root, const DiskFiles& files) {
    return root + QDir::separator() + relativeImagePath(files);
}

QString entryRecordStatement(const QString& nummer) {
    return QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID=Dnames.F_ID "
                          "AND Compilations.Nummer = ") +
           nummer;
}
