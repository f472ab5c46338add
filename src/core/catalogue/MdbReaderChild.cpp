#include "core/catalogue/MdbReaderChild.h"

#include "core/Failures.h"
#include "core/catalogue/MdbFrames.h"
#include "core/catalogue/MdbReader.h"

#include <glib.h>

#include <memory>
#include <new>

#include <unistd.h>

namespace {

// libmdb allocates through GLib, which ends the process when an allocation fails; the
// importer is told why first.
void onGlibError(const gchar*, GLogLevelFlags, const gchar*, gpointer writer) {
    static_cast<MdbFrameWriter*>(writer)->sendPreparedRefusal();
    ::_exit(1);
}

} // namespace

int writeMdbFrames(const QString& mdbPath, int fd) {
    MdbFrameWriter out(fd);
    out.prepareRefusal(mdbDamaged(std::bad_alloc()).message());
    const struct Handler {
        guint id;
        ~Handler() { g_log_remove_handler("GLib", id); }
    } handler{g_log_set_handler("GLib", GLogLevelFlags(G_LOG_LEVEL_ERROR | G_LOG_FLAG_FATAL),
                                onGlibError, &out)};
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
