#include "registry/Registry.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "NoDestructor.h"
#include "SqliteConnection.h"

namespace registry {

namespace {

constexpr int schemaVersion = 1;

// Keys form a tree under one root row per hive; values hang off keys. Names
// compare with NOCASE (ASCII case folding), as registry names do on Windows.
constexpr const char* schema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,
  name TEXT NOT NULL COLLATE NOCASE,
  UNIQUE(parent, name));
CREATE TABLE IF NOT EXISTS vals(
  key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
  name TEXT NOT NULL COLLATE NOCASE,
  type INTEGER NOT NULL,
  data BLOB,
  PRIMARY KEY(key, name)) WITHOUT ROWID;
INSERT OR IGNORE INTO keys(id, parent, name) VALUES
  (1, NULL, 'HKEY_CLASSES_ROOT'), (2, NULL, 'HKEY_CURRENT_USER'), (3, NULL, 'HKEY_LOCAL_MACHINE');
PRAGMA user_version = 1;
)sql";

std::int64_t rootId(Hive hive)
{
    switch (hive) {
    case Hive::ClassesRoot: return 1;
    case Hive::CurrentUser: return 2;
    case Hive::LocalMachine: return 3;
    }
    return 0;
}

std::vector<std::string> splitKey(const std::string& key)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find('\\', start);
        if (end == std::string::npos) end = key.size();
        if (end > start) parts.emplace_back(key, start, end - start);
        start = end + 1;
    }
    return parts;
}

std::string encode(const Value& value)
{
    switch (value.type) {
    case ValueType::String:
    case ValueType::ExpandString: return value.text;
    case ValueType::MultiString: {
        std::string joined;
        for (const std::string& s : value.strings) {
            joined += s;
            joined.push_back('\0');
        }
        return joined;
    }
    default: return value.bytes;
    }
}

Value decode(ValueType type, const SqliteStatement& row, int column)
{
    Value value;
    value.type = type;
    switch (type) {
    case ValueType::String:
    case ValueType::ExpandString: value.text = row.columnText(column); break;
    case ValueType::Dword: value.dword = static_cast<std::uint32_t>(row.columnInt(column)); break;
    case ValueType::MultiString: {
        std::string joined = row.columnText(column);
        std::size_t start = 0;
        while (start < joined.size()) {
            std::size_t end = joined.find('\0', start);
            if (end == std::string::npos) end = joined.size();
            value.strings.emplace_back(joined, start, end - start);
            start = end + 1;
        }
        break;
    }
    default: value.bytes = row.columnText(column); break;
    }
    return value;
}

}  // namespace

struct Registry::Impl {
    explicit Impl(const std::string& file) : db(file) {}
    // What this process wrote reaches the database file itself: a copy of the
    // file, or a reader that never sees the -wal file, misses nothing.
    ~Impl() { db.checkpoint(); }

    SqliteConnection db;
    std::recursive_mutex mutex;
    int depth = 0;

    void open()
    {
        // WAL lets readers run while one process writes; NORMAL sync keeps
        // every committed transaction across a crash of the process. Processes
        // that open a new file together all switch it to WAL: only one can at
        // a time, and SQLite tells the others at once instead of waiting.
        db.executeWhileBusy("PRAGMA journal_mode = WAL");
        db.execute("PRAGMA synchronous = NORMAL");
        db.execute("PRAGMA foreign_keys = ON");
        int version = userVersion();
        if (version == 0) {
            db.execute("BEGIN IMMEDIATE");
            try {
                if (userVersion() == 0) db.execute(schema);
                db.execute("COMMIT");
            } catch (...) {
                rollbackQuietly();
                throw;
            }
            version = userVersion();
        }
        if (version != schemaVersion)
            throw RegistryError("registry " + db.path() + ": schema version " + std::to_string(version) +
                                " is not the version this program reads (" + std::to_string(schemaVersion) + ")");
    }

    int userVersion()
    {
        SqliteStatement query(db, "PRAGMA user_version");
        return query.step() ? static_cast<int>(query.columnInt(0)) : 0;
    }

    void rollbackQuietly() noexcept
    {
        try {
            db.execute("ROLLBACK");
        } catch (...) {
            // SQLite may have rolled back already (disk full, I/O error).
        }
    }

    template <class F>
    auto read(F&& body)
    {
        std::lock_guard lock(mutex);
        return body();
    }

    // One transaction per outermost write; nested writes become savepoints so
    // a failing inner change is undone without losing the outer ones.
    template <class F>
    auto write(F&& body)
    {
        std::lock_guard lock(mutex);
        db.execute(depth == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT nested");
        ++depth;
        try {
            if constexpr (std::is_void_v<decltype(body())>) {
                body();
                finish();
            } else {
                auto result = body();
                finish();
                return result;
            }
        } catch (...) {
            --depth;
            if (depth == 0) {
                rollbackQuietly();
            } else {
                try {
                    db.execute("ROLLBACK TO nested");
                    db.execute("RELEASE nested");
                } catch (...) {
                }
            }
            throw;
        }
    }

    void finish()
    {
        if (depth == 1) {
            db.execute("COMMIT");
        } else {
            db.execute("RELEASE nested");
        }
        --depth;
    }

    std::optional<std::int64_t> findKey(Hive hive, const std::string& key)
    {
        std::int64_t id = rootId(hive);
        for (const std::string& part : splitKey(key)) {
            SqliteStatement query(db, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
            query.bind(1, id).bind(2, part);
            if (!query.step()) return std::nullopt;
            id = query.columnInt(0);
        }
        return id;
    }

    std::int64_t ensureKey(Hive hive, const std::string& key)
    {
        std::int64_t id = rootId(hive);
        for (const std::string& part : splitKey(key)) {
            SqliteStatement query(db, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
            query.bind(1, id).bind(2, part);
            if (query.step()) {
                id = query.columnInt(0);
            } else {
                SqliteStatement insert(db, "INSERT INTO keys(parent, name) VALUES (?1, ?2)");
                insert.bind(1, id).bind(2, part).run();
                id = db.lastInsertId();
            }
        }
        return id;
    }
};

std::string Registry::defaultPath()
{
    namespace fs = std::filesystem;
    const char* explicitPath = std::getenv("ORVEL_REGISTRY");
    if (explicitPath && *explicitPath) return explicitPath;
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local" / "share";
    } else {
        base = fs::temp_directory_path();
    }
    fs::path folder = base / "orvel";
    std::error_code ignored;  // a folder that cannot be made shows up as an open error
    fs::create_directories(folder, ignored);
    return (folder / "registry.db").string();
}

namespace {

struct DefaultRegistry {
    std::mutex mutex;
    std::shared_ptr<Registry> registry;
    pid_t owner = 0;
    // Connections inherited from a parent process: closing them here would
    // act on the parent's files, so they are kept, unused.
    std::vector<std::shared_ptr<Registry>> inherited;
};

// Kept past the end of main: settings may be read from static destructors.
DefaultRegistry& defaultRegistry()
{
    static platform_detail::NoDestructor<DefaultRegistry> current;
    return current.get();
}

// The process closes its registry when it ends, which checkpoints it. A
// static destructor that reads a setting afterwards opens it again.
void closeDefaultAtExit()
{
    DefaultRegistry& current = defaultRegistry();
    std::shared_ptr<Registry> closing;
    std::lock_guard lock(current.mutex);
    if (current.owner == getpid()) closing = std::move(current.registry);
}

}  // namespace

std::shared_ptr<Registry> Registry::openDefault()
{
    DefaultRegistry& current = defaultRegistry();
    std::string path = defaultPath();
    std::lock_guard lock(current.mutex);
    static const bool closesAtExit = std::atexit(closeDefaultAtExit) == 0;
    static_cast<void>(closesAtExit);
    if (current.registry && current.owner != getpid()) current.inherited.push_back(std::move(current.registry));
    if (current.registry && current.registry->path() == path) return current.registry;
    auto fresh = std::make_shared<Registry>(path);
    current.registry = fresh;
    current.owner = getpid();
    return fresh;
}

Registry::Registry(const std::string& path) : impl_(std::make_unique<Impl>(path))
{
    impl_->open();
}

Registry::~Registry() = default;

const std::string& Registry::path() const
{
    return impl_->db.path();
}

bool Registry::keyExists(Hive hive, const std::string& key)
{
    return impl_->read([&] { return impl_->findKey(hive, key).has_value(); });
}

void Registry::createKey(Hive hive, const std::string& key)
{
    impl_->write([&] { impl_->ensureKey(hive, key); });
}

bool Registry::deleteTree(Hive hive, const std::string& key)
{
    return impl_->write([&] {
        auto id = impl_->findKey(hive, key);
        if (!id) return false;
        if (*id == rootId(hive)) {
            // A hive itself stays; it is emptied.
            SqliteStatement(impl_->db, "DELETE FROM keys WHERE parent = ?1").bind(1, *id).run();
            SqliteStatement(impl_->db, "DELETE FROM vals WHERE key = ?1").bind(1, *id).run();
            return true;
        }
        SqliteStatement(impl_->db, "DELETE FROM keys WHERE id = ?1").bind(1, *id).run();
        return true;
    });
}

std::vector<std::string> Registry::subKeys(Hive hive, const std::string& key)
{
    return impl_->read([&] {
        std::vector<std::string> names;
        auto id = impl_->findKey(hive, key);
        if (!id) return names;
        SqliteStatement query(impl_->db, "SELECT name FROM keys WHERE parent = ?1 ORDER BY name");
        query.bind(1, *id);
        while (query.step()) names.push_back(query.columnText(0));
        return names;
    });
}

std::optional<Value> Registry::getValue(Hive hive, const std::string& key, const std::string& name)
{
    return impl_->read([&]() -> std::optional<Value> {
        auto id = impl_->findKey(hive, key);
        if (!id) return std::nullopt;
        SqliteStatement query(impl_->db, "SELECT type, data FROM vals WHERE key = ?1 AND name = ?2");
        query.bind(1, *id).bind(2, name);
        if (!query.step()) return std::nullopt;
        return decode(static_cast<ValueType>(query.columnInt(0)), query, 1);
    });
}

void Registry::setValue(Hive hive, const std::string& key, const std::string& name, const Value& value)
{
    impl_->write([&] {
        std::int64_t id = impl_->ensureKey(hive, key);
        SqliteStatement upsert(impl_->db,
                               "INSERT INTO vals(key, name, type, data) VALUES (?1, ?2, ?3, ?4) "
                               "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
        upsert.bind(1, id).bind(2, name).bind(3, static_cast<std::int64_t>(value.type));
        switch (value.type) {
        case ValueType::Dword: upsert.bind(4, static_cast<std::int64_t>(value.dword)); break;
        case ValueType::String:
        case ValueType::ExpandString: upsert.bind(4, std::string_view(value.text)); break;
        default: upsert.bindBlob(4, encode(value)); break;
        }
        upsert.run();
    });
}

bool Registry::deleteValue(Hive hive, const std::string& key, const std::string& name)
{
    return impl_->write([&] {
        auto id = impl_->findKey(hive, key);
        if (!id) return false;
        SqliteStatement(impl_->db, "DELETE FROM vals WHERE key = ?1 AND name = ?2").bind(1, *id).bind(2, name).run();
        return impl_->db.changes() > 0;
    });
}

std::vector<std::pair<std::string, Value>> Registry::values(Hive hive, const std::string& key)
{
    return impl_->read([&] {
        std::vector<std::pair<std::string, Value>> result;
        auto id = impl_->findKey(hive, key);
        if (!id) return result;
        SqliteStatement query(impl_->db, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY name");
        query.bind(1, *id);
        while (query.step())
            result.emplace_back(query.columnText(0), decode(static_cast<ValueType>(query.columnInt(1)), query, 2));
        return result;
    });
}

void Registry::visitTree(Hive hive, const std::string& key, const std::function<void(const KeyContents&)>& visit)
{
    impl_->read([&] {
        auto top = impl_->findKey(hive, key);
        if (!top) return;
        // Keys are found by their id, not by their path: a path would be looked
        // up again level by level for every key below it.
        SqliteStatement valuesOf(impl_->db, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY name");
        SqliteStatement childrenOf(impl_->db, "SELECT id, name FROM keys WHERE parent = ?1 ORDER BY name");
        std::string topPath;
        for (const std::string& part : splitKey(key)) topPath += (topPath.empty() ? "" : "\\") + part;
        std::vector<std::pair<std::int64_t, std::string>> pending{{*top, topPath}};
        KeyContents contents;
        while (!pending.empty()) {
            auto [id, path] = std::move(pending.back());
            pending.pop_back();
            contents.path = std::move(path);
            contents.values.clear();
            contents.subKeys.clear();
            valuesOf.reset().bind(1, id);
            while (valuesOf.step())
                contents.values.emplace_back(valuesOf.columnText(0),
                                             decode(static_cast<ValueType>(valuesOf.columnInt(1)), valuesOf, 2));
            std::size_t firstChild = pending.size();
            childrenOf.reset().bind(1, id);
            while (childrenOf.step()) {
                contents.subKeys.push_back(childrenOf.columnText(1));
                std::string childPath = contents.path.empty() ? contents.subKeys.back()
                                                              : contents.path + "\\" + contents.subKeys.back();
                pending.emplace_back(childrenOf.columnInt(0), std::move(childPath));
            }
            // The stack hands out the first subkey first.
            std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
            visit(contents);
        }
    });
}

void Registry::transaction(const std::function<void()>& changes)
{
    impl_->write([&] { changes(); });
}

}  // namespace registry
