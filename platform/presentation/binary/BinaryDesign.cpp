#include "binary/BinaryDesign.h"

#include "binary/MasterDesignParts.h"
#include "binary/MasterDesignReader.h"
#include "binary/PowerPointFile.h"
#include "office/package/FileBytes.h"

namespace ppt {

pptmedia::ImportedTemplate readBinaryDesignBytes(std::string_view file, const std::string& displayName,
                                                 const pptmedia::TemplateNaming& naming)
{
    pptmedia::ImportedTemplate design;
    binary::readPowerPointStreams(file, displayName, [&](const binary::PowerPointStreams& streams) {
        design = binary::designParts(binary::readMasterDesign(streams.document, streams.currentUser, streams.pictures), naming);
    });
    return design;
}

pptmedia::ImportedTemplate readBinaryDesign(const std::filesystem::path& path, const std::string& displayName,
                                            const pptmedia::TemplateNaming& naming)
{
    const pptmedia::Bytes bytes = office::readFileBytes(path, displayName);
    return readBinaryDesignBytes(pptmedia::asText(bytes), displayName, naming);
}

}  // namespace ppt
