// Namespace-prefix-agnostic access to elements and attributes: Office
// parts use fixed prefixes by custom only, so matching goes by local name.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "office/package/SafeXml.h"

namespace office::xml {

inline bool is(const pugi::xml_node& node, std::string_view local)
{
    return node.type() == pugi::node_element && localName(node.name()) == local;
}

inline pugi::xml_node child(const pugi::xml_node& node, std::string_view local)
{
    for (pugi::xml_node c : node.children())
        if (is(c, local)) return c;
    return {};
}

// The first descendant element with this local name, depth first.
inline pugi::xml_node descendant(const pugi::xml_node& node, std::string_view local)
{
    for (pugi::xml_node c : node.children()) {
        if (c.type() != pugi::node_element) continue;
        if (is(c, local)) return c;
        if (pugi::xml_node d = descendant(c, local)) return d;
    }
    return {};
}

inline pugi::xml_attribute attr(const pugi::xml_node& node, std::string_view local)
{
    for (pugi::xml_attribute a : node.attributes())
        if (localName(a.name()) == local) return a;
    return {};
}

// A prefixed attribute only ("r:id", not "id").
inline pugi::xml_attribute prefixedAttr(const pugi::xml_node& node, std::string_view local)
{
    for (pugi::xml_attribute a : node.attributes()) {
        std::string_view name = a.name();
        if (name.find(':') != std::string_view::npos && localName(name) == local) return a;
    }
    return {};
}

inline std::string text(const pugi::xml_node& node, std::string_view local)
{
    return attr(node, local).as_string();
}

inline bool has(const pugi::xml_node& node, std::string_view local)
{
    return !attr(node, local).empty();
}

inline double number(const pugi::xml_node& node, std::string_view local, double fallback = 0)
{
    pugi::xml_attribute a = attr(node, local);
    if (a.empty()) return fallback;
    const char* s = a.value();
    char* end = nullptr;
    double v = std::strtod(s, &end);
    return end == s ? fallback : v;
}

// An OOXML on/off property: present means on unless val says otherwise.
inline bool onOff(const pugi::xml_node& node)
{
    pugi::xml_attribute a = attr(node, "val");
    if (a.empty()) return true;
    std::string_view v = a.value();
    return !(v == "0" || v == "false" || v == "off" || v == "none");
}

}  // namespace office::xml
