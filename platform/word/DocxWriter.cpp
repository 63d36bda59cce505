#include "DocxWriter.h"

#include <new>
#include <set>

#include "DocumentLayout.h"
#include "DocumentPart.h"
#include "FontTablePart.h"
#include "PropertiesParts.h"
#include "SettingsPart.h"
#include "StylesPart.h"
#include "office/package/AtomicFile.h"
#include "office/package/ContentTypes.h"
#include "office/package/OpcNames.h"
#include "office/package/Relationships.h"
#include "office/package/ZipWriter.h"

namespace word {
namespace {

#define WORD_OFFICE_REL "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
constexpr const char* relStyles = WORD_OFFICE_REL "styles";
constexpr const char* relSettings = WORD_OFFICE_REL "settings";
constexpr const char* relFontTable = WORD_OFFICE_REL "fontTable";
#undef WORD_OFFICE_REL
#define WORD_WML_TYPE "application/vnd.openxmlformats-officedocument.wordprocessingml."

constexpr int kCompressionLevel = 6;
constexpr std::time_t kFixedTimeStamp = 315532800 + 86400;  // 1980-01-02: equal content, equal bytes

std::string contentTypesXml(const std::set<ImageType>& pictureTypes)
{
    office::XmlDocument xml;
    office::ContentTypes types(xml);
    for (ImageType t : pictureTypes) types.byExtension(fileExtension(t), contentType(t));
    types.byPart("/word/document.xml", WORD_WML_TYPE "document.main+xml");
    types.byPart("/word/styles.xml", WORD_WML_TYPE "styles+xml");
    types.byPart("/word/settings.xml", WORD_WML_TYPE "settings+xml");
    types.byPart("/word/fontTable.xml", WORD_WML_TYPE "fontTable+xml");
    types.byPart("/docProps/core.xml", office::opc::typeCoreProperties);
    types.byPart("/docProps/app.xml", office::opc::typeExtendedProperties);
    types.finish();
    return xml.finish();
}
#undef WORD_WML_TYPE

std::string relationshipsXml(const office::Relationships& rels)
{
    office::XmlDocument xml;
    rels.write(xml);
    return xml.finish();
}

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

// Calls visit(paragraph, inBody) for every paragraph, in document order:
// those of the body itself and those in table cells.
template <class Visit>
void forEachParagraph(const DocumentContent& content, Visit&& visit)
{
    for (const Block& block : content.blocks) {
        if (const Paragraph* p = std::get_if<Paragraph>(&block)) {
            visit(*p, true);
            continue;
        }
        for (const Row& row : std::get<Table>(block).rows)
            for (const Cell& cell : row.cells)
                for (const Paragraph& p : cell.paragraphs) visit(p, false);
    }
}

DocumentStatistics statistics(const DocumentContent& content)
{
    DocumentStatistics s;
    forEachParagraph(content, [&s](const Paragraph& p, bool inBody) {
        if (inBody && p.pageBreakBefore) ++s.pages;
        countParagraph(p, s);
    });
    return s;
}

std::set<std::string> usedFonts(const DocumentContent& content)
{
    std::set<std::string> fonts{RunFormat::defaultFontName};
    forEachParagraph(content, [&fonts](const Paragraph& p, bool) {
        fonts.insert(p.markFormat.fontName);
        for (const Run& run : p.runs) fonts.insert(run.format.fontName);
    });
    return fonts;
}

}  // namespace

std::vector<PackagePart> docxParts(const DocumentContent& content, std::time_t created)
{
    DocumentLayout layout = layOutDocument(content);

    office::Relationships documentRels;
    documentRels.add(relStyles, "styles.xml");
    documentRels.add(relSettings, "settings.xml");
    documentRels.add(relFontTable, "fontTable.xml");
    std::string document = documentXml(content, layout, documentRels);

    office::Relationships packageRels;
    packageRels.add(office::opc::relOfficeDocument, "word/document.xml");
    packageRels.add(office::opc::relCoreProperties, "docProps/core.xml");
    packageRels.add(office::opc::relExtendedProperties, "docProps/app.xml");

    std::set<ImageType> pictureTypes;
    for (const Image& image : content.images) pictureTypes.insert(image.type);
    DocumentStatistics stats = statistics(content);
    stats.pages = std::max<long long>(stats.pages, 1);

    std::vector<PackagePart> parts;
    parts.push_back({"[Content_Types].xml", contentTypesXml(pictureTypes)});
    parts.push_back({"_rels/.rels", relationshipsXml(packageRels)});
    parts.push_back({"docProps/core.xml", corePropertiesXml(created)});
    parts.push_back({"docProps/app.xml", appPropertiesXml(stats)});
    parts.push_back({"word/document.xml", std::move(document)});
    parts.push_back({"word/_rels/document.xml.rels", relationshipsXml(documentRels)});
    parts.push_back({"word/styles.xml", stylesXml()});
    parts.push_back({"word/settings.xml", settingsXml()});
    parts.push_back({"word/fontTable.xml", fontTableXml(usedFonts(content))});
    // Only pictures the body shows: one in a table left out has no relationship.
    for (const office::Relationships::Relationship& e : documentRels.items()) {
        if (std::string_view(e.type) != office::opc::relImage) continue;
        for (std::size_t i = 0; i < content.images.size(); ++i)
            if (picturePartName(content, i) == e.target) parts.push_back({"word/" + e.target, content.images[i].bytes});
    }
    return parts;
}

std::error_code saveDocx(const DocumentContent& content, const std::filesystem::path& path, std::time_t created)
{
    if (path.empty() || !path.has_filename()) return std::make_error_code(std::errc::invalid_argument);
    try {
        const std::vector<PackagePart> parts = docxParts(content, created);
        office::AtomicFile file(path.string());
        office::ZipWriter zip(file, kCompressionLevel, kFixedTimeStamp);
        for (const PackagePart& part : parts) zip.add(part.name, part.data);
        zip.finish();
        file.commit();
    } catch (const office::FileError& e) {
        return e.code();
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    } catch (const std::length_error&) {
        return std::make_error_code(std::errc::file_too_large);
    }
    return {};
}

}  // namespace word
