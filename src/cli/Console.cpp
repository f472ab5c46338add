#include "cli/Console.h"

#include "core/catalogue/Catalogue.h"
#include "core/settings/ProgramFolder.h"

#include <algorithm>

QTextStream& cliOut() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& cliErr() {
    static QTextStream stream(stderr);
    return stream;
}

int refusal(const QString& message) {
    cliErr() << message << "\n";
    return 1;
}

int usageError(const QString& message) {
    cliErr() << "kestrel-cli: " << message << "\n";
    return 2;
}

void openCatalogue(Catalogue& catalogue, const ProgramFolder& folder) {
    catalogue.open(folder.dataFile(Catalogue::fileName()));
    if (!catalogue.upgradeNotice().isEmpty())
        cliErr() << catalogue.upgradeNotice() << "\n";
}

bool isEntryNumber(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
