// The one package reader of the tests (libzip + pugixml): the parts of any
// zip package, and a saved presentation's slides in order, each shape's box,
// text, run formats and hyperlinks, the notes and the embedded objects, with
// a compact text dump of them that tests compare with a short expected block.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pptx {

constexpr double emuPerPoint = 12700.0;

struct Run {
    std::string text;
    std::string font;  // typeface of a:latin, "" when not set
    double size = 0;   // points, 0 when not set
    bool bold = false, italic = false, underline = false;
    std::string link;  // external address of the run's click hyperlink
    int jumpTo = 0;    // slide index a slide jump lands on, 0 for none
};

struct Paragraph {
    std::vector<Run> runs;
    std::string align;  // "l", "ctr", "r" or ""
    bool bullet = false;
    std::string text() const;
};

struct Shape {
    std::string kind;         // "sp", "pic", "graphicFrame"
    std::string placeholder;  // p:ph type ("ftr", "sldNum", "dt", "body") or ""
    double left = 0, top = 0, width = 0, height = 0;  // points
    std::vector<Paragraph> paragraphs;
    std::string clickLink;   // a picture's click address
    std::string progId;      // of an OLE object
    std::string embedded;    // package part of an embedded object
    bool linked = false;     // an OLE object linked to its file
    std::string text() const;  // paragraphs joined with "\n"
};

struct Slide {
    std::string part;
    std::vector<Shape> shapes;
    std::string notes;  // text of the notes body placeholder
    std::vector<const Shape*> ofKind(const std::string& kind) const;
    const Shape* placeholder(const std::string& type) const;
    // Text shapes that are not placeholders, in z-order.
    std::vector<const Shape*> labels() const;
};

// Every member of a zip archive by name; empty when it cannot be read.
std::map<std::string, std::string> readZip(const std::filesystem::path& file);
// Writes the parts as a new zip archive (to make a variant of a package).
void writeZip(const std::filesystem::path& file, const std::map<std::string, std::string>& parts);

class Package {
public:
    explicit Package(const std::filesystem::path& file);
    std::vector<Slide> slides;
    bool has(const std::string& part) const;
    std::string read(const std::string& part) const;

private:
    std::map<std::string, std::string> files_;
};

// One entry of a zip package held in memory ("" when it is not there), for
// the documents embedded in a presentation.
std::string zipEntry(const std::string& packageBytes, const std::string& name);

// One line per shape, indented lines per paragraph, e.g.
//   slide 1
//    sp 75,55 600x420
//     p ctr bullet: "Total"{Arial 24 b} " 12"{link=http://x}
//    ph ftr: "Confidential"
//    notes: "Say hello"
// Boxes in points; only the run formats that are set; an empty paragraph
// as "p:"; n equal paragraphs in a row as one line ending in " *n".
std::string dump(const Slide& slide, int number);
std::string dump(const Package& package);

}  // namespace pptx
