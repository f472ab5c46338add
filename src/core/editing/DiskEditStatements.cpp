#include "core/editing/DiskEditStatements.h"

#include "core/catalogue/SqlText.h"

namespace {

// The pieces differ slightly from statement to statement (blanks around the joins); each
// is kept as the catalogue has always been sent it.
QString diskSetUpdate(const QString& field, const QString& value, const QString& group,
                      bool blankBeforeAnd) {
    return QStringLiteral("UPDATE Compilations,Dnames SET ") + field + QStringLiteral("= '") +
           quoteDoubled(value) +
           QStringLiteral("' WHERE Compilations.F_ID=Dnames.F_ID AND ([group] LIKE '") +
           quoteDoubled(group) +
           (blankBeforeAnd ? QStringLiteral("%') AND ([got]<> 2)")
                           : QStringLiteral("%')AND ([got]<> 2)"));
}

QString entryCondition(const QString& nummer) {
    return QStringLiteral("Compilations.F_ID = Dnames.F_ID AND ([nummer] LIKE '") +
           quoteDoubled(nummer) + QStringLiteral("')");
}

} // namespace

QString diskSetLookupStatement(const QString& group) {
    return QStringLiteral("SELECT [folder], [filename], [filenumber],[fileexten] FROM "
                          "Compilations, Dnames WHERE  Compilations.F_ID = Dnames.F_ID AND "
                          "([group] LIKE '") +
           quoteDoubled(group) + QStringLiteral("%')") +
           QStringLiteral("ORDER by [filenumber] DESC");
}

QStringList diskSetUpdateStatements(const std::optional<QString>& group, const DiskFiles& files) {
    if (files.filename.isEmpty())
        return {};
    if (!group)
        throw Refusal{QStringLiteral("No Group has been selected!")};
    return {diskSetUpdate(QStringLiteral("folder"), files.folder, *group, true),
            diskSetUpdate(QStringLiteral("filename"), files.filename, *group, false),
            diskSetUpdate(QStringLiteral("fileexten"), files.fileexten, *group, false)};
}

QStringList singleDiskUpdateStatements(const QString& nummer, const DiskFiles& files) {
    const QString update = QStringLiteral("UPDATE Compilations,Dnames SET ");
    const QString number =
        files.filenumber.isEmpty()
            ? update + QStringLiteral("filenumber= Null WHERE ") + entryCondition(nummer)
            : update + QStringLiteral("filenumber= '") + quoteDoubled(files.filenumber) +
                  QStringLiteral("' WHERE ") + entryCondition(nummer);
    return {update + QStringLiteral("filename= '") + quoteDoubled(files.filename) +
                QStringLiteral("' WHERE  ") + entryCondition(nummer),
            update + QStringLiteral("fileexten= '") + quoteDoubled(files.fileexten) +
                QStringLiteral("' WHERE  ") + entryCondition(nummer),
            number};
}
