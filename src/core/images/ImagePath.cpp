#include "core/images/ImagePath.h"

#include "core/catalogue/ResultSet.h"

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

QString relativeImagePath(const DiskFiles& files) {
    return files.folder + QDir::separator() + files.filename + files.filenumber + u'.' +
           files.fileexten;
}

QString composeImagePath(const QString& root, const DiskFiles& files) {
    return root + QDir::separator() + relativeImagePath(files);
}

QString entryRecordStatement(const QString& nummer) {
    return QStringLiteral("SELECT * FROM Compilations,Dnames WHERE Compilations.F_ID=Dnames.F_ID "
                          "AND Compilations.Nummer = ") +
           nummer;
}
