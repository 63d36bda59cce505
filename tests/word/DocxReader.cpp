#include "DocxReader.h"

#include <zip.h>

#include <memory>

namespace wordtest {
namespace {

std::map<std::string, std::string> readArchive(zip_t* archive)
{
    std::map<std::string, std::string> parts;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
        zip_file_t* member = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (!member) continue;
        std::string data(static_cast<std::size_t>(stat.size), '\0');
        zip_int64_t got = zip_fread(member, data.data(), stat.size);
        zip_fclose(member);
        if (got == static_cast<zip_int64_t>(stat.size)) parts[stat.name] = std::move(data);
    }
    zip_close(archive);
    return parts;
}

std::string cellText(const pugi::xml_node& cell)
{
    std::string text;
    bool first = true;
    for (pugi::xml_node p : cell.children("w:p")) {
        if (!first) text += "\n";
        text += paragraphText(p);
        first = false;
    }
    return text;
}

void collectText(const pugi::xml_node& node, std::string& out)
{
    for (pugi::xml_node child : node.children()) {
        std::string_view name = child.name();
        if (name == "w:t")
            out += child.text().get();
        else if (name == "w:tab")
            out += '\t';
        else if (name == "w:r" || name == "w:hyperlink" || name == "w:fldSimple")
            collectText(child, out);
    }
}

}  // namespace

std::map<std::string, std::string> readPackage(const std::filesystem::path& file)
{
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (!archive) return {};
    return readArchive(archive);
}

std::map<std::string, std::string> readPackageBytes(const std::string& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) return {};
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        return {};
    }
    return readArchive(archive);
}

std::string paragraphText(const pugi::xml_node& paragraph)
{
    std::string text;
    collectText(paragraph, text);
    return text;
}

std::vector<TableText> tableTexts(const pugi::xml_document& document)
{
    std::vector<TableText> tables;
    for (pugi::xml_node table : document.child("w:document").child("w:body").children("w:tbl")) {
        TableText rows;
        for (pugi::xml_node row : table.children("w:tr")) {
            std::vector<std::string> cells;
            for (pugi::xml_node cell : row.children("w:tc")) cells.push_back(cellText(cell));
            rows.push_back(std::move(cells));
        }
        tables.push_back(std::move(rows));
    }
    return tables;
}

std::vector<std::string> bodyParagraphs(const pugi::xml_document& document)
{
    std::vector<std::string> texts;
    for (pugi::xml_node p : document.child("w:document").child("w:body").children("w:p"))
        texts.push_back(paragraphText(p));
    return texts;
}

}  // namespace wordtest
