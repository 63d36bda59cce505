// The registry: hives of keys holding named, typed values, stored in one
// SQLite database shared by every process of the user. Keys are paths with
// "\" separators, compared case-insensitively (ASCII) as Windows does; the
// unnamed (default) value has the name "". Every write is one transaction.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace registry {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

enum class ValueType : std::uint32_t {
    None = 0,       // REG_NONE
    String = 1,     // REG_SZ
    ExpandString = 2,  // REG_EXPAND_SZ
    Binary = 3,     // REG_BINARY
    Dword = 4,      // REG_DWORD
    MultiString = 7,  // REG_MULTI_SZ
};

struct Value {
    ValueType type = ValueType::String;
    std::string text;                 // String, ExpandString (UTF-8)
    std::uint32_t dword = 0;          // Dword
    std::string bytes;                // Binary
    std::vector<std::string> strings;  // MultiString

    static Value string(std::string s) { return Value{ValueType::String, std::move(s), 0, {}, {}}; }
    static Value number(std::uint32_t n) { return Value{ValueType::Dword, {}, n, {}, {}}; }
};

// Raised for a database that cannot be opened, read or written; the message
// names the file and the cause ("registry /path/registry.db: file is not a database").
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ~RegistryError() override;
};

const char* hiveName(Hive hive);  // "HKEY_CLASSES_ROOT", ...
std::optional<Hive> hiveFromName(const std::string& name);  // also "HKCR", "HKCU", "HKLM"

// One key as a walk over a tree shows it.
struct KeyContents {
    std::string path;  // below the hive, "" for the hive itself
    std::vector<std::pair<std::string, Value>> values;  // sorted by name
    std::vector<std::string> subKeys;                   // names, sorted
};

class Registry {
public:
    // $ORVEL_REGISTRY, else $XDG_DATA_HOME/orvel/registry.db, else
    // ~/.local/share/orvel/registry.db; folders are made as needed.
    static std::string defaultPath();
    // The process-wide registry at defaultPath() (opened on first use; a
    // change of $ORVEL_REGISTRY is seen by the next call).
    static std::shared_ptr<Registry> openDefault();

    explicit Registry(const std::string& path);
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;
    ~Registry();

    const std::string& path() const;

    bool keyExists(Hive hive, const std::string& key);
    void createKey(Hive hive, const std::string& key);  // with its parents
    // Deletes the key with everything under it; false when it did not exist.
    bool deleteTree(Hive hive, const std::string& key);
    std::vector<std::string> subKeys(Hive hive, const std::string& key);  // names, sorted

    std::optional<Value> getValue(Hive hive, const std::string& key, const std::string& name);
    // Creates the key when needed.
    void setValue(Hive hive, const std::string& key, const std::string& name, const Value& value);
    bool deleteValue(Hive hive, const std::string& key, const std::string& name);
    std::vector<std::pair<std::string, Value>> values(Hive hive, const std::string& key);
    // Shows the key and every key below it to visit, each before its subkeys,
    // subkeys in name order; time in proportion to the keys and values shown,
    // however deep the tree. Nothing is shown when the key does not exist.
    void visitTree(Hive hive, const std::string& key, const std::function<void(const KeyContents&)>& visit);

    // Runs several changes as one transaction: all or none are kept.
    void transaction(const std::function<void()>& changes);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace registry
