#include "PptxReader.h"

#include <stdexcept>

#include <pugixml.hpp>
#include <zip.h>

namespace pptx {

namespace {

std::string directoryOf(const std::string& part)
{
    std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

// "../slides/slide2.xml" against "ppt/slides/" -> "ppt/slides/slide2.xml".
std::string resolve(const std::string& base, const std::string& target)
{
    if (!target.empty() && target[0] == '/') return target.substr(1);
    std::string dir = base;
    std::string rest = target;
    while (rest.compare(0, 3, "../") == 0) {
        rest.erase(0, 3);
        if (!dir.empty()) dir.pop_back();
        dir = directoryOf(dir);
    }
    return dir + rest;
}

struct Relationship {
    std::string target;
    bool external = false;
};

std::map<std::string, Relationship> relationshipsOf(const Package& package, const std::string& part)
{
    std::map<std::string, Relationship> out;
    std::string relsPart = directoryOf(part) + "_rels/" + part.substr(directoryOf(part).size()) + ".rels";
    if (!package.has(relsPart)) return out;
    pugi::xml_document doc;
    std::string text = package.read(relsPart);
    doc.load_buffer(text.data(), text.size());
    for (auto rel : doc.child("Relationships").children("Relationship")) {
        Relationship r;
        r.external = std::string(rel.attribute("TargetMode").value()) == "External";
        r.target = r.external ? rel.attribute("Target").value() : resolve(directoryOf(part), rel.attribute("Target").value());
        out[rel.attribute("Id").value()] = r;
    }
    return out;
}

pugi::xml_document load(const Package& package, const std::string& part)
{
    pugi::xml_document doc;
    std::string text = package.read(part);
    if (!doc.load_buffer(text.data(), text.size())) throw std::runtime_error("cannot parse " + part);
    return doc;
}

double points(const char* emu)
{
    return std::atof(emu) / emuPerPoint;
}

}  // namespace

std::string Paragraph::text() const
{
    std::string out;
    for (const Run& r : runs) out += r.text;
    return out;
}

std::string Shape::text() const
{
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) out += (i ? "\n" : "") + paragraphs[i].text();
    return out;
}

std::vector<const Shape*> Slide::ofKind(const std::string& kind) const
{
    std::vector<const Shape*> out;
    for (const Shape& s : shapes)
        if (s.kind == kind) out.push_back(&s);
    return out;
}

const Shape* Slide::placeholder(const std::string& type) const
{
    for (const Shape& s : shapes)
        if (s.placeholder == type) return &s;
    return nullptr;
}

std::vector<const Shape*> Slide::labels() const
{
    std::vector<const Shape*> out;
    for (const Shape& s : shapes)
        if (s.kind == "sp" && s.placeholder.empty()) out.push_back(&s);
    return out;
}

Package::Package(const std::filesystem::path& file)
{
    int error = 0;
    zip_t* zip = zip_open(file.string().c_str(), ZIP_RDONLY, &error);
    if (!zip) throw std::runtime_error("cannot open " + file.string());
    zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
        zip_file_t* entry = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
        if (!entry) continue;
        std::string bytes(static_cast<std::size_t>(stat.size), '\0');
        zip_fread(entry, bytes.data(), stat.size);
        zip_fclose(entry);
        files_[stat.name] = std::move(bytes);
    }
    zip_close(zip);

    // Slides in presentation order.
    auto presentationRels = relationshipsOf(*this, "ppt/presentation.xml");
    pugi::xml_document presentation = load(*this, "ppt/presentation.xml");
    std::vector<std::string> slideParts;
    for (auto id : presentation.child("p:presentation").child("p:sldIdLst").children("p:sldId"))
        slideParts.push_back(presentationRels[id.attribute("r:id").value()].target);
    std::map<std::string, int> indexOfPart;
    for (std::size_t i = 0; i < slideParts.size(); ++i) indexOfPart[slideParts[i]] = static_cast<int>(i + 1);

    for (const std::string& part : slideParts) {
        Slide slide;
        slide.part = part;
        auto rels = relationshipsOf(*this, part);
        pugi::xml_document doc = load(*this, part);
        auto linkOf = [&](pugi::xml_node click, std::string& address, int* jump) {
            if (!click) return;
            std::string action = click.attribute("action").value();
            auto found = rels.find(click.attribute("r:id").value());
            if (action.find("hlinksldjump") != std::string::npos) {
                if (jump && found != rels.end()) *jump = indexOfPart[found->second.target];
            } else if (found != rels.end()) {
                address = found->second.target;
            }
        };
        for (auto node : doc.child("p:sld").child("p:cSld").child("p:spTree").children()) {
            std::string name = node.name();
            if (name != "p:sp" && name != "p:pic" && name != "p:graphicFrame") continue;
            Shape shape;
            shape.kind = name.substr(2);
            pugi::xml_node nv = node.first_child();
            shape.placeholder = nv.child("p:nvPr").child("p:ph").attribute("type").value();
            if (nv.child("p:nvPr").child("p:ph") && shape.placeholder.empty()) shape.placeholder = "body";
            pugi::xml_node xfrm = name == "p:graphicFrame" ? node.child("p:xfrm") : node.child("p:spPr").child("a:xfrm");
            shape.left = points(xfrm.child("a:off").attribute("x").value());
            shape.top = points(xfrm.child("a:off").attribute("y").value());
            shape.width = points(xfrm.child("a:ext").attribute("cx").value());
            shape.height = points(xfrm.child("a:ext").attribute("cy").value());
            linkOf(nv.child("p:cNvPr").child("a:hlinkClick"), shape.clickLink, nullptr);
            for (auto p : node.child("p:txBody").children("a:p")) {
                Paragraph paragraph;
                paragraph.align = p.child("a:pPr").attribute("algn").value();
                paragraph.bullet = p.child("a:pPr").child("a:buChar") || p.child("a:pPr").child("a:buAutoNum");
                for (auto r : p.children()) {
                    std::string kind = r.name();
                    if (kind != "a:r" && kind != "a:fld") continue;
                    Run run;
                    run.text = r.child("a:t").text().get();
                    pugi::xml_node props = r.child("a:rPr");
                    run.font = props.child("a:latin").attribute("typeface").value();
                    run.size = props.attribute("sz").as_double() / 100.0;
                    run.bold = props.attribute("b").as_bool();
                    run.italic = props.attribute("i").as_bool();
                    run.underline = std::string(props.attribute("u").value()) == "sng";
                    linkOf(props.child("a:hlinkClick"), run.link, &run.jumpTo);
                    paragraph.runs.push_back(run);
                }
                shape.paragraphs.push_back(paragraph);
            }
            if (auto ole = node.select_node(".//p:oleObj").node()) {
                shape.progId = ole.attribute("progId").value();
                auto found = rels.find(ole.attribute("r:id").value());
                if (found != rels.end()) shape.embedded = found->second.target;
            }
            slide.shapes.push_back(shape);
        }
        for (auto& [id, rel] : rels) {
            if (rel.target.find("notesSlides/") == std::string::npos) continue;
            pugi::xml_document notes = load(*this, rel.target);
            for (auto sp : notes.child("p:notes").child("p:cSld").child("p:spTree").children("p:sp")) {
                pugi::xml_node ph = sp.child("p:nvSpPr").child("p:nvPr").child("p:ph");
                if (std::string(ph.attribute("type").value()) != "body") continue;
                std::string text;
                bool first = true;
                for (auto p : sp.child("p:txBody").children("a:p")) {
                    if (!first) text += "\n";
                    first = false;
                    for (auto r : p.children("a:r")) text += r.child("a:t").text().get();
                }
                slide.notes = text;
            }
        }
        slides.push_back(std::move(slide));
    }
}

bool Package::has(const std::string& part) const
{
    return files_.count(part) != 0;
}

std::string Package::read(const std::string& part) const
{
    auto found = files_.find(part);
    if (found == files_.end()) throw std::runtime_error("no part " + part);
    return found->second;
}

std::vector<std::string> Package::parts() const
{
    std::vector<std::string> out;
    for (const auto& [name, bytes] : files_) out.push_back(name);
    return out;
}

std::string zipEntry(const std::string& packageBytes, const std::string& name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(packageBytes.data(), packageBytes.size(), 0, &error);
    if (!source) return "";
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!zip) {
        zip_source_free(source);
        return "";
    }
    std::string bytes;
    zip_stat_t stat;
    if (zip_stat(zip, name.c_str(), 0, &stat) == 0) {
        if (zip_file_t* entry = zip_fopen(zip, name.c_str(), 0)) {
            bytes.resize(static_cast<std::size_t>(stat.size));
            zip_fread(entry, bytes.data(), stat.size);
            zip_fclose(entry);
        }
    }
    zip_close(zip);
    return bytes;
}

}  // namespace pptx
