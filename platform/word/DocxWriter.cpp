#include "DocxWriter.h"

#include <new>
#include <set>

#include "AtomicFile.h"
#include "ContentTypesPart.h"
#include "DocumentLayout.h"
#include "DocumentPart.h"
#include "FontTablePart.h"
#include "PropertiesParts.h"
#include "Relationships.h"
#include "SettingsPart.h"
#include "StylesPart.h"

namespace word {
namespace {

void countText(const std::string& text, DocumentStatistics& s)
{
    bool inWord = false;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;  // continuation bytes belong to the character before
        bool space = c == ' ' || c == '\t';
        ++s.charactersWithSpaces;
        if (!space) ++s.characters;
        if (!space && !inWord) ++s.words;
        inWord = !space;
    }
}

void countParagraph(const Paragraph& p, DocumentStatistics& s)
{
    ++s.paragraphs;
    for (const Run& run : p.runs)
        if (run.kind != Run::Kind::Picture) countText(run.text, s);
}

DocumentStatistics statistics(const DocumentContent& content)
{
    DocumentStatistics s;
    for (const Block& block : content.blocks) {
        if (const Paragraph* p = std::get_if<Paragraph>(&block)) {
            if (p->pageBreakBefore) ++s.pages;
            countParagraph(*p, s);
            continue;
        }
        for (const Row& row : std::get<Table>(block).rows)
            for (const Cell& cell : row.cells)
                for (const Paragraph& p : cell.paragraphs) countParagraph(p, s);
    }
    return s;
}

void collectFonts(const Paragraph& p, std::set<std::string>& fonts)
{
    fonts.insert(p.markFormat.fontName);
    for (const Run& run : p.runs) fonts.insert(run.format.fontName);
}

std::set<std::string> usedFonts(const DocumentContent& content)
{
    std::set<std::string> fonts{RunFormat::defaultFontName};
    for (const Block& block : content.blocks) {
        if (const Paragraph* p = std::get_if<Paragraph>(&block)) {
            collectFonts(*p, fonts);
            continue;
        }
        for (const Row& row : std::get<Table>(block).rows)
            for (const Cell& cell : row.cells)
                for (const Paragraph& p : cell.paragraphs) collectFonts(p, fonts);
    }
    return fonts;
}

}  // namespace

std::vector<PackagePart> docxParts(const DocumentContent& content, std::time_t created)
{
    DocumentLayout layout = layOutDocument(content);

    Relationships documentRels;
    documentRels.add(reltype::styles, "styles.xml");
    documentRels.add(reltype::settings, "settings.xml");
    documentRels.add(reltype::fontTable, "fontTable.xml");
    std::string document = documentXml(content, layout, documentRels);

    Relationships packageRels;
    packageRels.add(reltype::officeDocument, "word/document.xml");
    packageRels.add(reltype::coreProperties, "docProps/core.xml");
    packageRels.add(reltype::extendedProperties, "docProps/app.xml");

    std::set<ImageType> pictureTypes;
    for (const Image& image : content.images) pictureTypes.insert(image.type);
    DocumentStatistics stats = statistics(content);
    stats.pages = std::max<long long>(stats.pages, 1);

    std::vector<PackagePart> parts;
    parts.push_back({"[Content_Types].xml", contentTypesXml(pictureTypes)});
    parts.push_back({"_rels/.rels", packageRels.xml()});
    parts.push_back({"docProps/core.xml", corePropertiesXml(created)});
    parts.push_back({"docProps/app.xml", appPropertiesXml(stats)});
    parts.push_back({"word/document.xml", std::move(document)});
    parts.push_back({"word/_rels/document.xml.rels", documentRels.xml()});
    parts.push_back({"word/styles.xml", stylesXml()});
    parts.push_back({"word/settings.xml", settingsXml()});
    parts.push_back({"word/fontTable.xml", fontTableXml(usedFonts(content))});
    // Only pictures the body shows: one in a table left out has no relationship.
    for (const Relationships::Entry& e : documentRels.entries()) {
        if (e.type != reltype::image) continue;
        for (std::size_t i = 0; i < content.images.size(); ++i)
            if (picturePartName(content, i) == e.target) parts.push_back({"word/" + e.target, content.images[i].bytes});
    }
    return parts;
}

std::error_code saveDocx(const DocumentContent& content, const std::filesystem::path& path, std::time_t created)
{
    std::string bytes;
    try {
        bytes = zipParts(docxParts(content, created));
    } catch (const PackageError&) {
        return std::make_error_code(std::errc::not_enough_memory);
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
    return writeFileAtomically(path, bytes);
}

}  // namespace word
