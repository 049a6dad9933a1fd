#include "core/reviewlog.h"

#include "core/durablefile.h"
#include "core/sqliteapi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A version newer than this program's: a code SQLite never returns.
constexpr int NewerSchema = -1;

// A lock held by another program is waited for this long, no longer: a
// grading must never hang on it.
constexpr int BusyTimeoutMs = 50;

const char* const createSchema =
    "BEGIN IMMEDIATE;"
    "CREATE TABLE IF NOT EXISTS answers("
    " id INTEGER PRIMARY KEY,"
    " time_ms INTEGER NOT NULL,"
    " day INTEGER NOT NULL,"
    " word INTEGER NOT NULL,"
    " kind INTEGER NOT NULL,"
    " correct INTEGER NOT NULL,"
    " given TEXT NOT NULL,"
    " expected TEXT NOT NULL,"
    " duration_ms INTEGER);"
    // The progress screen reads a day range, each word's
    // first day and the wrong typed answers (covered).
    "CREATE INDEX IF NOT EXISTS answers_day ON answers(day);"
    "CREATE INDEX IF NOT EXISTS answers_word_day ON answers(word, day);"
    "CREATE INDEX IF NOT EXISTS answers_wrong_typed ON answers(word, kind, given, expected)"
    " WHERE correct = 0 AND kind IN (1, 2, 4, 5);"
    "PRAGMA user_version = 1;"
    "COMMIT;";
const char* const insertAnswer = "INSERT INTO answers(time_ms, day, word, kind, correct, given, expected, duration_ms)"
                                 " VALUES(?, ?, ?, ?, ?, ?, ?, ?)";
const char* const selectAnswers =
    "SELECT time_ms, day, word, kind, correct, given, expected, duration_ms FROM answers ORDER BY id";
const char* const selectCount = "SELECT count(*) FROM answers";
// The answers are appended in time order, so a day's range is a range of ids.
const char* const selectRecent = "SELECT time_ms, day, word, kind, correct, duration_ms FROM answers"
                                 " WHERE id >= (SELECT min(id) FROM answers INDEXED BY answers_day WHERE day >= ?1)"
                                 " AND day >= ?1 ORDER BY id";
const char* const selectFirstDay = "SELECT min(day) FROM answers WHERE word = ?1";
const char* const selectWrongTyped =
    "SELECT word, kind, given, expected FROM answers WHERE correct = 0 AND kind IN (1, 2, 4, 5)";

// Whether the folder takes a new file, tried through the replaceable calls:
// permission bits do not bind root, and a read-only mount shows in none.
bool folderTakesNewFile(const QString& probe)
{
    const QByteArray name = QFile::encodeName(probe);
    const int fd = DurableFile::systemCalls().open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno == EEXIST;
    ::close(fd);
    ::unlink(name.constData());
    return true;
}

QString text(const unsigned char* utf8, int bytes)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8), bytes);
}

// A column's text, shared with the last row's when the bytes are the same.
class Recurring {
  public:
    const QString& text(const unsigned char* utf8, int bytes)
    {
        const QByteArrayView now(reinterpret_cast<const char*>(utf8), bytes);
        if (!valid_ || now != QByteArrayView(raw_)) {
            raw_ = now.toByteArray();
            text_ = QString::fromUtf8(raw_);
            valid_ = true;
        }
        return text_;
    }

  private:
    QByteArray raw_;
    QString text_;
    bool valid_ = false;
};

} // namespace

bool reviewsItsWord(QuestionKind kind)
{
    return kind != QuestionKind::ExamTonePattern && kind != QuestionKind::ExamNumberByEar;
}

bool carriesTones(QuestionKind kind)
{
    return kind == QuestionKind::Tone || kind == QuestionKind::Pinyin || kind == QuestionKind::ToneByEar ||
           kind == QuestionKind::PinyinByEar;
}

void addToExtract(LogExtract& extract, const LoggedAnswer& a, qint32 since)
{
    ++extract.total;
    if (a.word >= 0 && a.word < static_cast<int>(extract.firstDay.size())) {
        qint32& first = extract.firstDay[static_cast<size_t>(a.word)];
        if (first == 0 || a.day < first)
            first = a.day;
    }
    if (a.day >= since) {
        LoggedAnswer r = a;
        r.given.clear();
        r.expected.clear();
        extract.recent.append(std::move(r));
    }
    if (!a.right && carriesTones(a.kind))
        extract.wrongTyped.append({0, 0, a.word, a.kind, false, a.given, a.expected, -1});
}

LogExtract extractOf(const QList<LoggedAnswer>& log, qint32 since)
{
    LogExtract e;
    for (const LoggedAnswer& a : log)
        addToExtract(e, a, since);
    return e;
}

struct ReviewLog::Connection {
    explicit Connection(const SqliteApi& sqlite) : api(sqlite) {}
    ~Connection()
    {
        if (insert)
            api.finalize(insert);
        if (db)
            api.close_v2(db);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int exec(const char* sql) { return api.exec(db, sql, nullptr, nullptr, nullptr); }
    int code() const { return db ? api.extended_errcode(db) : SQLITE_CANTOPEN; }
    // The pragmas, the schema for a new file, the insert; an SQLite result code.
    int configure();

    const SqliteApi& api;
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
};

int ReviewLog::Connection::configure()
{
    api.busy_timeout(db, BusyTimeoutMs);
    // The first statements read the file: a file that is no database fails here.
    int rc = exec("PRAGMA journal_mode = WAL");
    if (rc == SQLITE_OK)
        rc = exec("PRAGMA synchronous = FULL");
    if (rc != SQLITE_OK)
        return code();
    sqlite3_stmt* version = nullptr;
    if (api.prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr) != SQLITE_OK)
        return code();
    rc = api.step(version);
    const qint64 userVersion = rc == SQLITE_ROW ? api.column_int64(version, 0) : 0;
    api.finalize(version);
    if (rc != SQLITE_ROW)
        return code();
    if (userVersion > ReviewLog::SchemaVersion)
        return NewerSchema;
    if (userVersion == 0 && exec(createSchema) != SQLITE_OK) {
        const int failure = code();
        exec("ROLLBACK");
        return failure;
    }
    // A database of another shape (no such table or column) is not a log.
    return api.prepare_v2(db, insertAnswer, -1, &insert, nullptr) == SQLITE_OK ? SQLITE_OK : code();
}

QString ReviewLog::pathBeside(const QString& statisticsPath)
{
    return QFileInfo(statisticsPath).dir().filePath(u"reviewlog.db"_s);
}

ReviewLog::ReviewLog(QString path, QObject* parent) : QObject(parent), path_(std::move(path))
{
}

ReviewLog::~ReviewLog() = default;

bool ReviewLog::isOpen() const
{
    return db_ != nullptr;
}

bool ReviewLog::open()
{
    if (db_)
        return true;
    const SqliteApi* api = sqliteApi(library_);
    if (!api) {
        report(Fault::NoLibrary);
        return false;
    }
    // The second round begins a new log where the first found none to use.
    for (int round = 0; round < 2; ++round) {
        if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
            report(Fault::ReadOnlyFolder);
            return false;
        }
        auto c = std::make_unique<Connection>(*api);
        int rc = api->open_v2(QFile::encodeName(path_).constData(), &c->db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        rc = rc == SQLITE_OK ? c->configure() : c->code();
        if (rc == SQLITE_OK) {
            db_ = std::move(c);
            return true;
        }
        c.reset();
        if (!failed(rc, true))
            return false;
    }
    return false;
}

void ReviewLog::close()
{
    db_.reset();
}

bool ReviewLog::failed(int code, bool opening)
{
    switch (code == NewerSchema ? NewerSchema : code & 0xff) {
    case NewerSchema:
        close();
        report(Fault::Newer);
        return false;
    case SQLITE_ERROR:
        if (!opening) {
            report(Fault::WriteFailed);
            return false;
        }
        [[fallthrough]]; // opening: a database that is not a log
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        if (keepAside()) {
            report(Fault::Corrupt);
            return true;
        }
        report(Fault::CannotOpen);
        return false;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        report(Fault::Locked);
        return false;
    case SQLITE_FULL:
        report(Fault::DiskFull);
        return false;
    case SQLITE_IOERR:
        report(Fault::WriteFailed);
        return false;
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        close();
        report(folderTakesNewFile(path_ + u".probe"_s) ? Fault::CannotOpen : Fault::ReadOnlyFolder);
        return false;
    default:
        report(opening ? Fault::CannotOpen : Fault::WriteFailed);
        return false;
    }
}

bool ReviewLog::keepAside()
{
    close();
    // Its write-ahead file holds the last answers, and must not be replayed
    // into the new log, so it goes aside with it.
    for (const QString& suffix : {u"-wal"_s, u"-shm"_s}) {
        if (QFileInfo::exists(path_ + suffix))
            (void)DurableFile::keepAsBackup(path_ + suffix);
    }
    if (!QFileInfo::exists(path_))
        return true;
    if (!DurableFile::keepAsBackup(path_))
        return false;
    backupName_ = path_ + u".bak"_s;
    return true;
}

void ReviewLog::report(Fault fault)
{
    if (told_.contains(fault))
        return;
    told_.append(fault);
    emit faultFound(sentence(fault));
}

QString ReviewLog::sentence(Fault fault) const
{
    const QString file = QDir::toNativeSeparators(path_);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path_).absolutePath());
    switch (fault) {
    case Fault::NoLibrary:
        return u"SQLite のライブラリ（libsqlite3.so.0）が見つからないため、解答を学習記録に残せません。"_s;
    case Fault::CannotOpen:
        return u"学習記録 %1 を開けないため、解答を記録できません。"_s.arg(file);
    case Fault::ReadOnlyFolder:
        return u"フォルダー %1 に書き込めないため、解答を学習記録に残せません。"_s.arg(folder);
    case Fault::Locked:
        return u"学習記録 %1 をほかのプログラムが使っているため、解答はあとでまとめて記録します。"_s.arg(file);
    case Fault::Corrupt:
        return u"学習記録 %1 が壊れていたため %2 として残し、新しい記録を始めました。"_s.arg(
            file, QDir::toNativeSeparators(backupName_));
    case Fault::DiskFull:
        return u"ディスクがいっぱいのため、解答を学習記録 %1 に書き込めません。"_s.arg(file);
    case Fault::WriteFailed:
        return u"学習記録 %1 に解答を書き込めませんでした。"_s.arg(file);
    case Fault::Newer:
        return u"学習記録 %1 は新しい版のルメナで作られたため、この版では書き込みません。"_s.arg(file);
    }
    return {};
}

bool ReviewLog::write(const QList<LoggedAnswer>& answers)
{
    Connection& c = *db_;
    const SqliteApi& api = c.api;
    if (c.exec("BEGIN IMMEDIATE") != SQLITE_OK)
        return false;
    for (const LoggedAnswer& a : answers) {
        const QByteArray given = a.given.toUtf8();
        const QByteArray expected = a.expected.toUtf8();
        sqlite3_stmt* s = c.insert;
        api.reset(s);
        api.bind_int64(s, 1, a.timeMs);
        api.bind_int64(s, 2, a.day);
        api.bind_int64(s, 3, a.word);
        api.bind_int64(s, 4, static_cast<int>(a.kind));
        api.bind_int64(s, 5, a.right ? 1 : 0);
        api.bind_text(s, 6, given.constData(), static_cast<int>(given.size()), SQLITE_TRANSIENT);
        api.bind_text(s, 7, expected.constData(), static_cast<int>(expected.size()), SQLITE_TRANSIENT);
        if (a.durationMs >= 0)
            api.bind_int64(s, 8, a.durationMs);
        else
            api.bind_null(s, 8);
        if (api.step(s) != SQLITE_DONE)
            return false;
    }
    api.reset(c.insert);
    return c.exec("COMMIT") == SQLITE_OK;
}

bool ReviewLog::append(const QList<LoggedAnswer>& answers)
{
    waiting_.append(answers);
    if (waiting_.isEmpty())
        return true;
    for (int round = 0; round < 2 && open(); ++round) {
        if (write(waiting_)) {
            waiting_.clear();
            return true;
        }
        const int code = db_->code();
        db_->api.reset(db_->insert);
        db_->exec("ROLLBACK");
        if (!failed(code, false))
            break;
    }
    // Memory stays bounded however long a fault lasts.
    if (waiting_.size() > MaxWaiting)
        waiting_.remove(0, waiting_.size() - MaxWaiting);
    return false;
}

bool ReviewLog::each(const char* sql, const std::function<void(sqlite3_stmt*)>& bind,
                     const std::function<void(sqlite3_stmt*)>& row)
{
    const SqliteApi& api = db_->api;
    sqlite3_stmt* s = nullptr;
    if (api.prepare_v2(db_->db, sql, -1, &s, nullptr) != SQLITE_OK)
        return false;
    if (bind)
        bind(s);
    int rc = SQLITE_OK;
    while ((rc = api.step(s)) == SQLITE_ROW)
        row(s);
    api.finalize(s);
    return rc == SQLITE_DONE;
}

std::optional<QList<LoggedAnswer>> ReviewLog::read()
{
    const SqliteApi& api = db_->api;
    QList<LoggedAnswer> out;
    const bool ok = each(selectAnswers, {}, [&](sqlite3_stmt* s) {
        out.append({api.column_int64(s, 0), static_cast<qint32>(api.column_int64(s, 1)),
                    static_cast<int>(api.column_int64(s, 2)), static_cast<QuestionKind>(api.column_int64(s, 3)),
                    api.column_int64(s, 4) != 0, text(api.column_text(s, 5), api.column_bytes(s, 5)),
                    text(api.column_text(s, 6), api.column_bytes(s, 6)),
                    api.column_type(s, 7) == SQLITE_NULL ? -1 : api.column_int64(s, 7)});
    });
    return ok ? std::optional(std::move(out)) : std::nullopt;
}

std::optional<LogExtract> ReviewLog::readExtract(qint32 since)
{
    const SqliteApi& api = db_->api;
    LogExtract e;
    bool ok = each(selectCount, {}, [&](sqlite3_stmt* s) { e.total = api.column_int64(s, 0); });
    ok = ok && each(
                   selectRecent, [&](sqlite3_stmt* s) { api.bind_int64(s, 1, since); },
                   [&](sqlite3_stmt* s) {
                       e.recent.append({api.column_int64(s, 0),
                                        static_cast<qint32>(api.column_int64(s, 1)),
                                        static_cast<int>(api.column_int64(s, 2)),
                                        static_cast<QuestionKind>(api.column_int64(s, 3)),
                                        api.column_int64(s, 4) != 0,
                                        {},
                                        {},
                                        api.column_type(s, 5) == SQLITE_NULL ? -1 : api.column_int64(s, 5)});
                   });
    // One index seek a word.
    sqlite3_stmt* first = nullptr;
    ok = ok && api.prepare_v2(db_->db, selectFirstDay, -1, &first, nullptr) == SQLITE_OK;
    for (size_t w = 1; ok && w < e.firstDay.size(); ++w) {
        api.reset(first);
        api.bind_int64(first, 1, static_cast<sqlite3_int64>(w));
        ok = api.step(first) == SQLITE_ROW;
        if (ok)
            e.firstDay[w] = static_cast<qint32>(api.column_int64(first, 0)); // NULL reads as 0
    }
    if (first)
        api.finalize(first);
    // In the index's order the same answer to the same word comes in runs,
    // which share their texts.
    Recurring given, expected;
    ok = ok && each(selectWrongTyped, {}, [&](sqlite3_stmt* s) {
             e.wrongTyped.append({0, 0, static_cast<int>(api.column_int64(s, 0)),
                                  static_cast<QuestionKind>(api.column_int64(s, 1)), false,
                                  given.text(api.column_text(s, 2), api.column_bytes(s, 2)),
                                  expected.text(api.column_text(s, 3), api.column_bytes(s, 3)), -1});
         });
    return ok ? std::optional(std::move(e)) : std::nullopt;
}

QList<LoggedAnswer> ReviewLog::answers()
{
    QList<LoggedAnswer> out;
    for (int round = 0; round < 2 && open(); ++round) {
        if (std::optional<QList<LoggedAnswer>> logged = read()) {
            out = std::move(*logged);
            break;
        }
        if (!failed(db_->code(), false))
            break;
    }
    out.append(waiting_);
    return out;
}

LogExtract ReviewLog::extract(qint32 since)
{
    LogExtract e;
    for (int round = 0; round < 2 && open(); ++round) {
        if (std::optional<LogExtract> read = readExtract(since)) {
            e = std::move(*read);
            break;
        }
        if (!failed(db_->code(), false))
            break;
    }
    for (const LoggedAnswer& a : waiting_)
        addToExtract(e, a, since);
    return e;
}
