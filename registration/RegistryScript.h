// Registration scripts in the registrar's script language (.rgs), as COM
// servers carry them as "REGISTRY" resources:
//
//   HKCR
//   {
//       Orvel.Orvel = s 'Orvel Class'
//       {
//           CurVer = s 'Orvel.Orvel.2.1.0'
//       }
//       NoRemove CLSID
//       {
//           ForceRemove {474BDD94-0170-11d3-A6BF-00104B2AEFE1} = s 'Orvel Class'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Registering creates the keys and values (a ForceRemove key is deleted with
// everything under it first). Unregistering deletes ForceRemove keys with
// everything under them, leaves NoRemove keys and deletes other keys once
// nothing is left under them. %NAME% is replaced from the given variables.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Registry.h"

namespace registration {

class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ~ScriptError() override;
};

class RegistryScript {
public:
    struct NamedValue {
        std::string name;  // "" is the key's default value
        registry::Value value;
    };
    struct Key {
        enum class Flag { None, NoRemove, ForceRemove, Delete };
        Flag flag = Flag::None;
        std::string name;
        std::vector<NamedValue> values;  // the default value first when it is set
        std::vector<Key> subKeys;
    };
    struct Root {
        registry::Hive hive;
        std::vector<Key> keys;
    };

    // Throws ScriptError (with the line) when the script is malformed or
    // names a variable that is not given.
    static RegistryScript parse(std::string_view text, const std::map<std::string, std::string>& variables);

    // Both run as one transaction of the registry: all or nothing is changed.
    void registerIn(registry::Registry& registry) const;
    void unregisterFrom(registry::Registry& registry) const;

    const std::vector<Root>& roots() const { return roots_; }

private:
    std::vector<Root> roots_;
};

}  // namespace registration
