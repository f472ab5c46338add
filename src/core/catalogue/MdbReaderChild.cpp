#include "core/catalogue/MdbReaderChild.h"

#include "core/Failures.h"
#include "core/catalogue/MdbFrames.h"
#include "core/catalogue/MdbReader.h"

#include <memory>

int writeMdbFrames(const QString& mdbPath, int fd) {
    MdbFrameWriter out(fd);
    try {
        MdbFileReader file(mdbPath);
        std::vector<std::unique_ptr<MdbTableReader>> tables;
        std::vector<MdbTableHeader> header;
        for (const QString& name : file.tableNames()) {
            tables.push_back(file.openTable(name));
            header.push_back({name, tables.back()->expectedRows(), tables.back()->columns()});
        }
        out.header(header);
        for (const auto& table : tables) {
            while (table->next())
                out.row(table->name(), table->values());
            out.endOfTable();
        }
        return out.flush() ? 0 : 1;
    } catch (const CatalogueError& error) {
        out.refusal(error.message());
    } catch (const std::exception& error) {
        out.refusal(mdbDamaged(error).message());
    }
    out.flush();
    return 1;
}
