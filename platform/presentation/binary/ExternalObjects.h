// The document's list of external objects (ExObjList): hyperlinks, each
// target once, and embedded OLE objects, all numbered from one id seed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "binary/RecordStream.h"
#include "binary/TextRecords.h"
#include "model/PresentationModel.h"

namespace ppt::binary {

class ExternalObjects {
public:
    explicit ExternalObjects(const PresentationModel& model);

    // The action of a link target; not a link when it names no slide of the deck.
    LinkAction hyperlink(const LinkTarget& target);
    // An embedded object whose storage is the persist object storagePersistId.
    std::uint32_t embed(const std::u16string& progId, bool asIcon, std::uint32_t storagePersistId);
    // A linked object whose storage (naming the file) is the persist object storagePersistId.
    std::uint32_t link(const std::u16string& progId, bool asIcon, std::uint32_t storagePersistId);

    void write(RecordStream& out) const;  // ExObjListContainer (nothing when empty)

private:
    struct Hyperlink {
        std::uint32_t id;
        std::u16string friendlyName, target, location;
    };
    struct Embed {
        std::uint32_t id;
        std::u16string progId;
        bool asIcon;
        std::uint32_t persistId;
        bool linked;
    };

    const PresentationModel& model_;
    std::uint32_t seed_ = 0;
    std::map<std::pair<std::u16string, std::u16string>, LinkAction> known_;
    std::vector<Hyperlink> hyperlinks_;
    std::vector<Embed> embeds_;
};

}  // namespace ppt::binary
