// Package parts written as XML into a part sink: a part, or a part and its
// relationships (written as _rels/<name>.rels beside it).
#pragma once

#include <string>

#include "office/package/PartSink.h"
#include "office/package/Relationships.h"
#include "office/package/XmlWriter.h"

namespace ppt {

class PackageStream {
public:
    explicit PackageStream(office::PartSink& sink) : sink_(sink) {}

    template <class Body>
    void part(const std::string& name, Body&& body)
    {
        sink_.beginEntry(name);
        office::XmlWriter xml(sink_);
        body(xml);
        xml.flush();
        sink_.endEntry();
    }

    template <class Body>
    void partWithRels(const std::string& folder, const std::string& file, Body&& body)
    {
        office::Relationships rels;
        part(folder + file, [&](office::XmlWriter& xml) { body(xml, rels); });
        if (!rels.empty()) part(folder + "_rels/" + file + ".rels", [&](office::XmlWriter& xml) {
            xml.declaration();
            rels.write(xml);
        });
    }

private:
    office::PartSink& sink_;
};

}  // namespace ppt
