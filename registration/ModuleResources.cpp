#include "registration/ModuleResources.h"

#include <map>
#include <string>
#include <utility>

#include "com/ComRuntime.h"
#include "document/DocumentTypeLib.h"
#include "generator/OrvelIds.h"
#include "settings/OrvelComPageResources.h"

namespace registration {
namespace embedded {
extern const char orvelRgs[];
extern const std::size_t orvelRgsSize;
extern const char pptComPageRgs[];
extern const std::size_t pptComPageRgsSize;
extern const char typeLibRgs[];
extern const std::size_t typeLibRgsSize;
}  // namespace embedded

namespace {

constexpr std::string_view projectName = "Orvelcom";

constexpr std::string_view versionBlock =
    "FILEVERSION 2,0,0,0\n"
    "PRODUCTVERSION 2,0,0,0\n"
    "FILEFLAGS VS_FF_DEBUG\n"
    "FileDescription orvelcom Module\n"
    "FileVersion 2, 0, 0, 0\n"
    "InternalName ORVELCOM\n"
    "OriginalFilename ORVELCOM.DLL\n"
    "ProductName orvelcom Module\n"
    "ProductVersion 2, 0, 0, 0\n";

const char* odlKind(doctypelib::ParamKind kind)
{
    switch (kind) {
    case doctypelib::ParamKind::BstrIn: return "[in] BSTR";
    case doctypelib::ParamKind::ShortIn: return "[in] short";
    case doctypelib::ParamKind::LongIn: return "[in] long";
    case doctypelib::ParamKind::BoolIn: return "[in] BOOL";
    case doctypelib::ParamKind::BstrOut: return "[out] BSTR*";
    }
    return "";
}

std::string bare(const GUID& guid)
{
    std::string s = com::guidToString(guid);
    return s.substr(1, s.size() - 2);
}

// The type library's source, from the one IDocument table.
std::string typeLibrarySource()
{
    std::string odl;
    odl += "[\n    uuid(" + bare(doctypelib::LIBID_ORVELCOMLib) + "),\n    version(" +
           std::to_string(doctypelib::typeLibMajor) + "." + std::to_string(doctypelib::typeLibMinor) +
           "),\n    helpstring(\"" + doctypelib::typeLibHelpString + "\")\n]\nlibrary " + doctypelib::typeLibName +
           "\n{\n    importlib(\"stdole2.tlb\");\n\n";
    odl += "    [\n        object,\n        uuid(" + bare(IID_IDocument) +
           "),\n        dual,\n        helpstring(\"" + doctypelib::interfaceHelpString +
           "\"),\n        pointer_default(unique)\n    ]\n    interface IDocument : IDispatch\n    {\n";
    for (const doctypelib::MethodInfo& m : doctypelib::methods()) {
        odl += "        [id(" + std::to_string(m.dispid) + "), helpstring(\"" + std::string(m.helpString()) +
               "\")] HRESULT " + m.name + "(";
        for (std::size_t i = 0; i < m.params.size(); ++i) {
            if (i) odl += ", ";
            odl += std::string(odlKind(m.params[i].kind)) + " " + m.params[i].name;
        }
        odl += ");\n";
    }
    odl += "    };\n\n";
    odl += "    [\n        uuid(" + bare(CLSID_Orvel) +
           "),\n        helpstring(\"Orvel Class\")\n    ]\n    coclass Orvel\n    {\n"
           "        [default] interface IDocument;\n    };\n\n";
    odl += "    [\n        uuid(" + bare(CLSID_PptComPage) +
           "),\n        helpstring(\"PptComPage Class\")\n    ]\n    coclass PptComPage\n    {\n"
           "        [default] interface IUnknown;\n    };\n};\n";
    return odl;
}

// Texts made once, kept for the life of the module.
const std::map<std::pair<std::string, int>, std::string>& builtResources()
{
    static const auto resources = [] {
        std::map<std::pair<std::string, int>, std::string> r;
        r[{"TYPELIB", IDR_TYPELIB}] = typeLibrarySource();
        for (int id : {IDS_TITLEPptComPage, IDS_HELPFILEPptComPage, IDS_DOCSTRINGPptComPage})
            if (auto text = loadStringResource(id)) r[{"STRING", id}] = *text;
        return r;
    }();
    return resources;
}

}  // namespace

std::optional<std::string_view> findResource(std::string_view type, int id)
{
    if (type == "REGISTRY" && id == IDR_ORVEL) return std::string_view(embedded::orvelRgs, embedded::orvelRgsSize);
    if (type == "REGISTRY" && id == IDR_PPTCOMPAGE)
        return std::string_view(embedded::pptComPageRgs, embedded::pptComPageRgsSize);
    if (type == "STRING" && id == IDS_PROJNAME) return projectName;
    if (type == "VERSION" && id == IDR_VERSION) return versionBlock;
    const auto& built = builtResources();
    auto found = built.find({std::string(type), id});
    if (found != built.end()) return std::string_view(found->second);
    return std::nullopt;
}

std::string_view typeLibRegistrationScript()
{
    return {embedded::typeLibRgs, embedded::typeLibRgsSize};
}

}  // namespace registration
