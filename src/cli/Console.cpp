#include "cli/Console.h"

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
