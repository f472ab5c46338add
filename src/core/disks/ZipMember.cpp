#include "core/disks/ZipMember.h"

#include <zip.h>

#include <algorithm>
#include <memory>

namespace {

struct CloseArchive {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct CloseMember {
    void operator()(zip_file_t* member) const { zip_fclose(member); }
};

} // namespace

ZipMember readZipMember(const QByteArray& archive, const QStringList& extensions, qint64 maxBytes) {
    ZipMember found;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(archive.constData(), zip_uint64_t(archive.size()), 0, &error);
    std::unique_ptr<zip_t, CloseArchive> zip(
        source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
    if (!zip) {
        if (source)
            zip_source_free(source);
        found.problem =
            QStringLiteral("the zip archive cannot be read: %1").arg(zip_error_strerror(&error));
        found.damaged = true;
        zip_error_fini(&error);
        return found;
    }
    zip_error_fini(&error);
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(zip.get(), zip_uint64_t(index), 0, &stat) != 0 || !stat.name)
            continue;
        const QString name = QString::fromUtf8(stat.name);
        const bool wanted =
            std::any_of(extensions.begin(), extensions.end(), [&](const QString& e) {
                return name.endsWith(u'.' + e, Qt::CaseInsensitive);
            });
        if (!wanted)
            continue;
        found.name = name;
        if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > zip_uint64_t(maxBytes)) {
            found.problem =
                QStringLiteral("%1 in the zip archive is larger than any disk").arg(name);
            found.damaged = true;
            return found;
        }
        std::unique_ptr<zip_file_t, CloseMember> member(
            zip_fopen_index(zip.get(), zip_uint64_t(index), 0));
        found.bytes.resize(qsizetype(stat.size));
        const zip_int64_t read =
            member ? zip_fread(member.get(), found.bytes.data(), stat.size) : -1;
        if (read != zip_int64_t(stat.size)) {
            found.problem = QStringLiteral("%1 in the zip archive cannot be unpacked: %2")
                                .arg(name, QString::fromUtf8(zip_strerror(zip.get())));
            found.bytes.clear();
            found.damaged = true;
        }
        return found;
    }
    found.problem = QStringLiteral("the zip archive holds no disk image");
    return found;
}
