#pragma once

#include <sqlite3.h>

#include <QString>

// SQLite's C interface, loaded with its first use. Linked, libsqlite3 would be
// mapped at every start-up (bench_startup: some 230 KiB more at the first
// window) for a log that a learner who only browses never opens. Only the
// header is needed to build; the library is the system's libsqlite3.so.0.
struct SqliteApi {
    decltype(&sqlite3_open_v2) open_v2;
    decltype(&sqlite3_close_v2) close_v2;
    decltype(&sqlite3_exec) exec;
    decltype(&sqlite3_prepare_v2) prepare_v2;
    decltype(&sqlite3_step) step;
    decltype(&sqlite3_reset) reset;
    decltype(&sqlite3_finalize) finalize;
    decltype(&sqlite3_bind_int64) bind_int64;
    decltype(&sqlite3_bind_text) bind_text;
    decltype(&sqlite3_bind_null) bind_null;
    decltype(&sqlite3_column_int64) column_int64;
    decltype(&sqlite3_column_text) column_text;
    decltype(&sqlite3_column_bytes) column_bytes;
    decltype(&sqlite3_column_type) column_type;
    decltype(&sqlite3_busy_timeout) busy_timeout;
    decltype(&sqlite3_extended_errcode) extended_errcode;
    decltype(&sqlite3_errmsg) errmsg;
    decltype(&sqlite3_vfs_find) vfs_find;
    decltype(&sqlite3_libversion) libversion;
};

// The interface, or nullptr when the library cannot be loaded or lacks a
// function. The first successful load stays for the run; it also routes the
// database's open, write and pwrite through DurableFile::systemCalls(), so
// the tests' faults reach the log as they reach conf.ini. A library named
// other than the system's (tests) is loaded apart and routes nothing.
const SqliteApi* sqliteApi(const QString& library = QString());
