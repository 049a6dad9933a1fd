#include "core/sqliteapi.h"

#include "core/durablefile.h"

#include <QHash>
#include <QLibrary>

#include <memory>

namespace {

// The file calls SQLite's Unix layer makes, through the replaceable ones.
int routedOpen(const char* path, int flags, int mode)
{
    return DurableFile::systemCalls().open(path, flags, static_cast<mode_t>(mode));
}

ssize_t routedWrite(int fd, const void* data, size_t size)
{
    return DurableFile::systemCalls().write(fd, data, size);
}

ssize_t routedPwrite(int fd, const void* data, size_t size, off_t offset)
{
    return DurableFile::systemCalls().pwrite(fd, data, size, offset);
}

void route(const SqliteApi& api)
{
    sqlite3_vfs* vfs = api.vfs_find(nullptr);
    if (!vfs || vfs->iVersion < 3 || !vfs->xSetSystemCall)
        return;
    // Whichever of write, pwrite and pwrite64 this build of SQLite uses; a name
    // it does not have is refused and changes nothing.
    (void)vfs->xSetSystemCall(vfs, "open", reinterpret_cast<sqlite3_syscall_ptr>(&routedOpen));
    (void)vfs->xSetSystemCall(vfs, "write", reinterpret_cast<sqlite3_syscall_ptr>(&routedWrite));
    (void)vfs->xSetSystemCall(vfs, "pwrite", reinterpret_cast<sqlite3_syscall_ptr>(&routedPwrite));
    (void)vfs->xSetSystemCall(vfs, "pwrite64", reinterpret_cast<sqlite3_syscall_ptr>(&routedPwrite));
}

template <class F> bool resolve(QLibrary& library, const char* name, F& function)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

std::unique_ptr<SqliteApi> load(const QString& name)
{
    // Never unloaded: connections live as long as the log that made them.
    QLibrary library(name, 0);
    auto api = std::make_unique<SqliteApi>();
    const bool all =
        resolve(library, "sqlite3_open_v2", api->open_v2) && resolve(library, "sqlite3_close_v2", api->close_v2) &&
        resolve(library, "sqlite3_exec", api->exec) && resolve(library, "sqlite3_prepare_v2", api->prepare_v2) &&
        resolve(library, "sqlite3_step", api->step) && resolve(library, "sqlite3_reset", api->reset) &&
        resolve(library, "sqlite3_finalize", api->finalize) &&
        resolve(library, "sqlite3_bind_int64", api->bind_int64) &&
        resolve(library, "sqlite3_bind_text", api->bind_text) &&
        resolve(library, "sqlite3_bind_null", api->bind_null) &&
        resolve(library, "sqlite3_column_int64", api->column_int64) &&
        resolve(library, "sqlite3_column_text", api->column_text) &&
        resolve(library, "sqlite3_column_bytes", api->column_bytes) &&
        resolve(library, "sqlite3_column_type", api->column_type) &&
        resolve(library, "sqlite3_busy_timeout", api->busy_timeout) &&
        resolve(library, "sqlite3_extended_errcode", api->extended_errcode) &&
        resolve(library, "sqlite3_errmsg", api->errmsg) && resolve(library, "sqlite3_vfs_find", api->vfs_find) &&
        resolve(library, "sqlite3_libversion", api->libversion);
    return all ? std::move(api) : nullptr;
}

} // namespace

const SqliteApi* sqliteApi(const QString& library)
{
    static QHash<QString, std::shared_ptr<SqliteApi>> loaded;
    const QString name = library.isEmpty() ? QStringLiteral("sqlite3") : library;
    if (const auto found = loaded.constFind(name); found != loaded.constEnd())
        return found->get();
    std::shared_ptr<SqliteApi> api = load(name);
    if (api && library.isEmpty())
        route(*api);
    // A failed load is not tried again in this run.
    loaded.insert(name, api);
    return api.get();
}
