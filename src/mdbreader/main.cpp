// kestrel-mdb-reader FILE.mdb: reads an Access catalogue and writes its tables to standard
// output as frames for the importer, which runs it with limits so that a damaged file can
// harm nothing but this process.
#include "core/catalogue/MdbReaderChild.h"

#include <QFile>

#include <cstdio>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: kestrel-mdb-reader FILE.mdb (run by the import)\n", stderr);
        return 2;
    }
    return writeMdbFrames(QFile::decodeName(argv[1]), STDOUT_FILENO);
}
