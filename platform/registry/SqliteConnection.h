// Thin RAII layer over the SQLite C API: a connection and prepared
// statements. Failures raise RegistryError naming the database file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace registry {

class SqliteConnection;

class SqliteStatement {
public:
    SqliteStatement(SqliteConnection& connection, std::string_view sql);
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bindBlob(int index, std::string_view bytes);
    SqliteStatement& bindNull(int index);

    // Ready to run again, with new bindings.
    SqliteStatement& reset();

    // Next row: true while there is one.
    bool step();
    // Runs a statement that returns no rows.
    void run();

    std::int64_t columnInt(int column) const;
    std::string columnText(int column) const;
    bool columnIsNull(int column) const;

private:
    SqliteConnection& connection_;
    sqlite3_stmt* statement_ = nullptr;
};

class SqliteConnection {
public:
    explicit SqliteConnection(const std::string& path);
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection();

    const std::string& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    void execute(const char* sql);
    // As execute, but a statement that SQLite refuses at once as busy, without
    // waiting in its busy handler (a read lock that must become a write lock),
    // is tried again for as long as the busy handler would have waited.
    void executeWhileBusy(const char* sql);
    // Copies what the write-ahead log holds into the database file, as far as
    // readers of other connections allow; never waits, never raises.
    void checkpoint() noexcept;
    std::int64_t lastInsertId() const;
    int changes() const;

    // Raises RegistryError "registry <file>: <what>: <SQLite's message>".
    [[noreturn]] void fail(std::string_view what) const;

private:
    std::string path_;
    sqlite3* db_ = nullptr;
};

}  // namespace registry
