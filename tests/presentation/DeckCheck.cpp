#include "DeckCheck.h"

#include "common/PackageReader.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <pugixml.hpp>
#include <set>

namespace deck {
namespace fs = std::filesystem;

std::map<std::string, std::string> readParts(const fs::path& package)
{
    return pptx::readZip(package);
}

namespace {

std::string folderOf(const std::string& part)
{
    auto slash = part.rfind('/');
    return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

std::string resolveTarget(const std::string& base, const std::string& target)
{
    if (!target.empty() && target[0] == '/') return target.substr(1);
    std::vector<std::string> pieces;
    std::string path = folderOf(base) + target;
    std::string piece;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (piece == "..") {
                if (!pieces.empty()) pieces.pop_back();
            } else if (!piece.empty() && piece != ".") {
                pieces.push_back(piece);
            }
            piece.clear();
        } else {
            piece.push_back(path[i]);
        }
    }
    std::string out;
    for (const auto& p : pieces) out += (out.empty() ? "" : "/") + p;
    return out;
}

bool isWholeNumber(const char* text, bool allowNegative)
{
    std::string s = text;
    if (s.empty()) return false;
    std::size_t i = 0;
    if (s[0] == '-') {
        if (!allowNegative) return false;
        i = 1;
    }
    if (i == s.size()) return false;
    return std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

int childRank(const std::string& name)
{
    if (name == "a:pPr") return 0;
    if (name == "a:endParaRPr") return 2;
    return 1;  // runs, breaks, fields
}

void checkText(const pugi::xml_node& root, const std::string& part, std::vector<std::string>& problems)
{
    for (const pugi::xpath_node& found : root.select_nodes("//a:p")) {
        int last = -1;
        for (pugi::xml_node child : found.node().children()) {
            const int rank = childRank(child.name());
            if (rank < last) problems.push_back(part + ": <" + child.name() + "> out of order in <a:p>");
            last = std::max(last, rank);
        }
    }
    for (const char* runTag : {"//a:r", "//a:fld"}) {
        for (const pugi::xpath_node& found : root.select_nodes(runTag)) {
            pugi::xml_node run = found.node();
            if (!run.child("a:t")) problems.push_back(part + ": a run without <a:t>");
            bool sawText = false;
            for (pugi::xml_node child : run.children()) {
                if (std::string(child.name()) == "a:t") sawText = true;
                if (std::string(child.name()) == "a:rPr" && sawText) problems.push_back(part + ": <a:rPr> after <a:t>");
            }
        }
    }
    for (const pugi::xpath_node& found : root.select_nodes("//a:off | //a:ext | //a:chOff | //a:chExt")) {
        pugi::xml_node n = found.node();
        const bool isExtent = std::string(n.name()).find("Ext") != std::string::npos || std::string(n.name()) == "a:ext";
        for (pugi::xml_attribute a : n.attributes())
            if (!isWholeNumber(a.value(), !isExtent))
                problems.push_back(part + ": geometry " + n.name() + "/@" + a.name() + " = \"" + a.value() + "\"");
    }
    std::set<std::string> ids;
    for (const pugi::xpath_node& found : root.select_nodes("//p:cNvPr")) {
        const std::string id = found.node().attribute("id").value();
        if (!ids.insert(id).second) problems.push_back(part + ": shape id " + id + " used twice");
    }
}

}  // namespace

std::vector<std::string> invariantProblems(const fs::path& package)
{
    std::vector<std::string> problems;
    const auto parts = readParts(package);
    if (parts.empty()) return {"not a readable zip package: " + package.string()};

    // Content types.
    auto types = parts.find("[Content_Types].xml");
    if (types == parts.end()) return {"no [Content_Types].xml"};
    pugi::xml_document typesDoc;
    typesDoc.load_string(types->second.c_str());
    std::set<std::string> defaults, overrides;
    for (pugi::xml_node d : typesDoc.child("Types").children("Default")) defaults.insert(d.attribute("Extension").value());
    for (pugi::xml_node o : typesDoc.child("Types").children("Override")) {
        std::string name = o.attribute("PartName").value();
        if (!overrides.insert(name).second) problems.push_back("override given twice: " + name);
        if (!parts.count(name.substr(1))) problems.push_back("override for a missing part: " + name);
    }
    for (const auto& [name, bytes] : parts) {
        if (name == "[Content_Types].xml") continue;
        const std::string ext = name.substr(name.rfind('.') + 1);
        if (!overrides.count("/" + name) && !defaults.count(ext)) problems.push_back("no content type: " + name);
    }

    // Relationships and the references to them.
    for (const auto& [name, bytes] : parts) {
        if (name.size() < 5 || name.substr(name.size() - 5) != ".rels") continue;
        pugi::xml_document rels;
        if (!rels.load_string(bytes.c_str())) {
            problems.push_back(name + ": not well-formed");
            continue;
        }
        // The part these relationships belong to.
        std::string owner = name;
        owner.erase(owner.find("_rels/"), 6);
        owner.resize(owner.size() - 5);
        std::set<std::string> ids;
        for (pugi::xml_node r : rels.child("Relationships").children("Relationship")) {
            const std::string id = r.attribute("Id").value();
            if (!ids.insert(id).second) problems.push_back(name + ": relationship id " + id + " used twice");
            if (std::string(r.attribute("TargetMode").value()) == "External") continue;
            const std::string target = resolveTarget(owner, r.attribute("Target").value());
            if (!parts.count(target)) problems.push_back(name + ": target " + target + " is missing");
        }
        auto ownerPart = parts.find(owner);
        if (owner.empty() || ownerPart == parts.end()) continue;
        pugi::xml_document doc;
        doc.load_string(ownerPart->second.c_str());
        for (const pugi::xpath_node& found : doc.select_nodes("//@*[starts-with(name(), 'r:')]")) {
            const std::string id = found.attribute().value();
            if (!ids.count(id)) problems.push_back(owner + ": " + found.attribute().name() + "=\"" + id + "\" is not defined");
        }
    }

    // XML parts.
    for (const auto& [name, bytes] : parts) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".xml" || name == "[Content_Types].xml") continue;
        pugi::xml_document doc;
        if (!doc.load_string(bytes.c_str())) {
            problems.push_back(name + ": not well-formed");
            continue;
        }
        checkText(doc, name, problems);
    }

    // Slide ids.
    if (auto presentation = parts.find("ppt/presentation.xml"); presentation != parts.end()) {
        pugi::xml_document doc;
        doc.load_string(presentation->second.c_str());
        std::set<long long> seen;
        for (const pugi::xpath_node& found : doc.select_nodes("//p:sldId")) {
            const long long id = found.node().attribute("id").as_llong();
            if (id < 256) problems.push_back("slide id " + std::to_string(id) + " below 256");
            if (!seen.insert(id).second) problems.push_back("slide id " + std::to_string(id) + " used twice");
        }
    }
    return problems;
}

std::vector<std::string> paragraphs(const std::string& partXml)
{
    std::vector<std::string> out;
    pugi::xml_document doc;
    if (!doc.load_string(partXml.c_str())) return out;
    for (const pugi::xpath_node& found : doc.select_nodes("//a:p")) {
        std::string text;
        for (pugi::xml_node child : found.node().children()) {
            const std::string name = child.name();
            if (name == "a:r" || name == "a:fld") text += child.child("a:t").text().get();
            if (name == "a:br") text += "\v";
        }
        out.push_back(text);
    }
    return out;
}

}  // namespace deck
