#include "PackageReader.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include <pugixml.hpp>

#include "office/package/AtomicFile.h"
#include "office/package/OpcPackage.h"
#include "office/package/ZipReader.h"
#include "office/package/ZipWriter.h"

namespace pptx {

namespace {

struct Relationship {
    std::string target;  // a part name without the leading '/', or an external address
    bool external = false;
};

std::map<std::string, Relationship> relationshipsOf(const Package& package, const std::string& part)
{
    std::map<std::string, Relationship> out;
    const std::string relsPart = office::relationshipPartName("/" + part).substr(1);
    if (!package.has(relsPart)) return out;
    pugi::xml_document doc;
    std::string text = package.read(relsPart);
    doc.load_buffer(text.data(), text.size());
    for (auto rel : doc.child("Relationships").children("Relationship")) {
        Relationship r;
        r.external = std::string(rel.attribute("TargetMode").value()) == "External";
        r.target = rel.attribute("Target").value();
        if (!r.external) r.target = office::resolveTarget("/" + part, r.target).erase(0, 1);
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

Package::Package(const std::filesystem::path& file) : files_(readZip(file))
{
    if (files_.empty()) throw std::runtime_error("cannot open " + file.string());
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
                shape.linked = ole.child("p:link");
                auto found = rels.find(ole.attribute("r:id").value());
                if (found != rels.end()) shape.embedded = found->second.target;
            }
            slide.shapes.push_back(shape);
        }
        for (auto& [id, rel] : rels) {
            if (rel.target.find("notesSlides/") == std::string::npos) continue;
            pugi::xml_document notes = load(*this, rel.target);
            auto body = notes.select_node("//p:sp[p:nvSpPr/p:nvPr/p:ph/@type = 'body']/p:txBody").node();
            for (auto p : body.children("a:p")) {
                slide.notes += p == body.child("a:p") ? "" : "\n";
                for (auto r : p.children("a:r")) slide.notes += r.child("a:t").text().get();
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

namespace {

// Decks of any size the tests make: none of the reader's limits against hostile files.
std::map<std::string, std::string> entriesOf(const office::ZipReader& zip)
{
    std::map<std::string, std::string> parts;
    for (const office::ZipEntry& entry : zip.entries()) {
        office::Bytes bytes = zip.read(entry);
        parts.emplace(entry.name, std::string(bytes.begin(), bytes.end()));
    }
    return parts;
}

office::ZipLimits unlimited()
{
    office::ZipLimits limits;
    limits.maxEntrySize = limits.maxTotalSize = limits.maxEntries = UINT64_MAX;
    limits.maxRatio = 1e30;
    return limits;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string out = text;
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    return out;
}

std::string runDump(const Run& run)
{
    std::string format;
    auto add = [&](const std::string& item) { format += (format.empty() ? "" : " ") + item; };
    if (!run.font.empty()) add(run.font);
    if (run.size) add(number(run.size));
    if (run.bold) add("b");
    if (run.italic) add("i");
    if (run.underline) add("u");
    if (!run.link.empty()) add("link=" + run.link);
    if (run.jumpTo) add("jump=" + std::to_string(run.jumpTo));
    return "\"" + run.text + "\"" + (format.empty() ? "" : "{" + format + "}");
}

}  // namespace

std::map<std::string, std::string> readZip(const std::filesystem::path& file)
{
    try {
        return entriesOf(office::ZipReader::open(file, file.string(), unlimited()));
    } catch (const std::exception&) {
        return {};
    }
}

void writeZip(const std::filesystem::path& file, const std::map<std::string, std::string>& parts)
{
    office::AtomicFile out(file.string());
    office::ZipWriter zip(out, 6);
    for (const auto& [name, bytes] : parts) zip.add(name, bytes);
    zip.finish();
    out.commit();
}

std::string zipEntry(const std::string& packageBytes, const std::string& name)
{
    try {
        auto zip = office::ZipReader::fromBytes(office::Bytes(packageBytes.begin(), packageBytes.end()), "package", unlimited());
        office::Bytes bytes = zip.read(name);
        return std::string(bytes.begin(), bytes.end());
    } catch (const std::exception&) {
        return "";
    }
}

std::string dump(const Slide& slide, int number)
{
    std::string out = "slide " + std::to_string(number) + "\n";
    for (const Shape& shape : slide.shapes) {
        out += " " + (shape.placeholder.empty() ? shape.kind : "ph " + shape.placeholder);
        if (shape.placeholder.empty())
            out += " " + pptx::number(shape.left) + "," + pptx::number(shape.top) + " " + pptx::number(shape.width) + "x" +
                   pptx::number(shape.height);
        if (!shape.clickLink.empty()) out += " click=" + shape.clickLink;
        if (!shape.progId.empty()) out += " ole=" + shape.progId + (shape.linked ? " linked" : "");
        // Labels show each paragraph on a line; placeholders and frames their runs inline.
        const bool multi = shape.placeholder.empty() && shape.kind == "sp";
        if (!multi) {
            std::string text;
            for (const Paragraph& p : shape.paragraphs)
                for (const Run& r : p.runs) text += (text.empty() ? "" : " ") + runDump(r);
            if (!text.empty()) out += ": " + text;
        }
        out += "\n";
        if (!multi) continue;
        // Repeated paragraphs (the push-down below a picture) as one line with their count.
        std::string previous;
        int repeats = 0;
        auto flush = [&] {
            if (repeats) out += previous + (repeats > 1 ? " *" + std::to_string(repeats) : "") + "\n";
        };
        for (const Paragraph& p : shape.paragraphs) {
            std::string line = "  p";
            if (!p.align.empty()) line += " " + p.align;
            if (p.bullet) line += " bullet";
            line += ":";
            for (const Run& r : p.runs) line += " " + runDump(r);
            if (line == previous) {
                ++repeats;
                continue;
            }
            flush();
            previous = line;
            repeats = 1;
        }
        flush();
    }
    if (!slide.notes.empty()) out += " notes: \"" + slide.notes + "\"\n";
    return out;
}

std::string dump(const Package& package)
{
    std::string out;
    for (std::size_t i = 0; i < package.slides.size(); ++i) out += dump(package.slides[i], static_cast<int>(i + 1));
    return out;
}

}  // namespace pptx
