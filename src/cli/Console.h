#pragma once

#include <QString>
#include <QTextStream>

// Where the commands write: rows to standard output, everything else to standard error.
QTextStream& cliOut();
QTextStream& cliErr();

class Catalogue;
struct ProgramFolder;

// Opens the folder's catalogue and says on standard error when the opening upgraded it.
// Throws CatalogueError.
void openCatalogue(Catalogue& catalogue, const ProgramFolder& folder);

// Says why a command was refused (the window's message) and gives its exit status, 1.
int refusal(const QString& message);

// Says what is wrong with the command line and gives its exit status, 2.
int usageError(const QString& message);

// Digits only: an entry number goes into statements (a LIKE pattern among them, where "%" or
// "_" would reach other entries).
bool isEntryNumber(const QString& text);
