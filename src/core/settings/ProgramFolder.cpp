#include "core/settings/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

ProgramFolder ProgramFolder::fromArguments(QStringList& arguments,
                                           const QString& executableFolder) {
    ProgramFolder result;
    QString chosen = qEnvironmentVariable("KESTREL_FOLDER");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--folder")) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("--folder needs a folder");
                return result;
            }
            chosen = arguments[i + 1];
            arguments.remove(i, 2);
            --i;
        } else if (argument.startsWith(QLatin1String("--folder="))) {
            chosen = argument.mid(9);
            arguments.remove(i);
            --i;
        }
    }
    if (chosen.isEmpty()) {
        result.path = executableFolder;
        return result;
    }
    const QFileInfo info(chosen);
    if (!info.isDir()) {
        result.error = QStringLiteral("The folder \"%1\" does not exist.").arg(chosen);
        return result;
    }
    result.path = QDir::toNativeSeparators(info.absoluteFilePath());
    return result;
}

QString ProgramFolder::file(const QString& name) const {
    return path + QDir::separator() + name;
}
