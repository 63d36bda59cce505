#include "SqliteConnection.h"

#include <sqlite3.h>

#include "registry/Registry.h"

namespace registry {

namespace {
constexpr int busyTimeoutMs = 10000;
constexpr int retryPauseMs = 10;
}

SqliteConnection::SqliteConnection(const std::string& path) : path_(path)
{
    int rc = sqlite3_open_v2(path.c_str(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string reason = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw RegistryError("registry " + path_ + ": " + reason);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyTimeoutMs);
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close(db_);
}

void SqliteConnection::execute(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string reason = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        throw RegistryError("registry " + path_ + ": " + reason);
    }
}

void SqliteConnection::executeWhileBusy(const char* sql)
{
    for (int waited = 0;; waited += retryPauseMs) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
        if (rc == SQLITE_OK) return;
        std::string reason = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        if ((rc & 0xff) != SQLITE_BUSY || waited >= busyTimeoutMs)
            throw RegistryError("registry " + path_ + ": " + reason);
        sqlite3_sleep(retryPauseMs);
    }
}

void SqliteConnection::checkpoint() noexcept
{
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

std::int64_t SqliteConnection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

int SqliteConnection::changes() const
{
    return sqlite3_changes(db_);
}

void SqliteConnection::fail(std::string_view what) const
{
    std::string message = "registry " + path_ + ": ";
    if (!what.empty()) message.append(what).append(": ");
    message += sqlite3_errmsg(db_);
    throw RegistryError(message);
}

SqliteStatement::SqliteStatement(SqliteConnection& connection, std::string_view sql) : connection_(connection)
{
    if (sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) !=
        SQLITE_OK)
        connection_.fail({});
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) connection_.fail("bind");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text)
{
    if (sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
        connection_.fail("bind");
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, std::string_view bytes)
{
    if (sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT) != SQLITE_OK)
        connection_.fail("bind");
    return *this;
}

SqliteStatement& SqliteStatement::bindNull(int index)
{
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK) connection_.fail("bind");
    return *this;
}

SqliteStatement& SqliteStatement::reset()
{
    // The result of reset repeats the last step's failure, already raised.
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return *this;
}

bool SqliteStatement::step()
{
    int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    connection_.fail({});
}

void SqliteStatement::run()
{
    while (step()) {
    }
}

std::int64_t SqliteStatement::columnInt(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::columnText(int column) const
{
    const void* bytes = sqlite3_column_blob(statement_, column);
    int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size)) : std::string();
}

bool SqliteStatement::columnIsNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace registry
