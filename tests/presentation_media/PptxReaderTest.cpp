// Presentations are read back with slide order, text frames, formatting,
// pictures, links and notes.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/PictureSniffer.h"
#include "template/PptxReader.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

// Every field read, a line per slide, shape, paragraph and run, against
// tests/presentation_media/expected/<name>.txt.
void expectRecordedDeck(const PptxDeck& deck, const std::string& name)
{
    std::ostringstream out;
    const auto link = [&](const PptxHyperlink& l) {
        if (!l.empty()) out << " link=" << l.address << "|" << l.targetSlideId << "|" << l.targetSlideIndex << "|" << l.action;
    };
    const auto paragraphs = [&](const std::vector<PptxParagraph>& list) {
        for (const PptxParagraph& p : list) {
            out << "  p align=" << p.alignment << " level=" << p.level << (p.bullet ? " bullet" : "") << "\n";
            for (const PptxRun& r : p.runs) {
                out << "   \"" << std::regex_replace(r.text, std::regex("\v"), "\\v") << "\" " << r.fontName << " " << r.sizePt << (r.bold ? " b" : "") << (r.italic ? " i" : "")
                    << (r.underline ? " u" : "") << (r.strike ? " s" : "") << " " << r.colour;
                link(r.link);
                out << "\n";
            }
        }
    };
    out << "deck " << deck.slideWidthPt << "x" << deck.slideHeightPt << " " << deck.masterPart << "\n";
    for (const PptxSlide& slide : deck.slides) {
        out << "slide " << slide.slideId << " " << slide.partName << " on " << slide.layoutPart << "\n";
        for (const PptxShape& s : slide.shapes) {
            out << " shape " << static_cast<int>(s.kind) << " #" << s.id << " '" << s.name << "' " << s.leftPt << "," << s.topPt
                << " " << s.widthPt << "x" << s.heightPt << " ph=" << s.placeholderType << "/" << s.placeholderIndex;
            if (s.hasTextFrame)
                out << " wrap=" << s.wordWrap << " autosize=" << s.autoSize << " insets=" << s.insetLeftPt << "," << s.insetTopPt
                    << "," << s.insetRightPt << "," << s.insetBottomPt;
            link(s.clickLink);
            if (!s.mediaPart.empty())
                out << " " << s.mediaPart << " " << s.mediaContentType << " " << sniffPicture(s.mediaBytes, "p").widthPx << "px";
            if (!s.progId.empty()) out << " " << s.progId << " " << s.embeddedPart << " linked=" << s.linked << s.linkTarget;
            out << "\n";
            paragraphs(s.paragraphs);
        }
        out << " notes\n";
        paragraphs(slide.notes);
    }
    testenv::expectRecorded(out.str(), std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/presentation_media/expected" / (name + ".txt"));
}

}  // namespace

// Two slides listed in reverse part order, with formatting, a picture in a
// group (child (10, 10) 50 x 50 in a group that doubles its children and
// sits at (100, 100)), links (web and to the other slide), notes and a
// footer placed by its layout; and what LibreOffice writes.
TEST(PptxReader, ReadsSlidesInListOrderWithTextFormattingPicturesPlaceholdersAndNotes)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "deck.ppt", asString(folderPackage("read-deck")));  // the name says nothing
    expectRecordedDeck(readPresentation(dir / "deck.ppt", "deck.ppt"), "read-deck");
    expectRecordedDeck(readPresentation(kSamples / "lo-deck.pptx", "lo-deck.pptx"), "lo-deck");

    PptxReadOptions light;
    light.loadMedia = false;
    light.maxSlides = 1;
    PptxDeck preview = readPresentation(dir / "deck.ppt", "deck.ppt", light);
    ASSERT_EQ(preview.slides.size(), 1u);
    EXPECT_TRUE(preview.slides[0].shapes[1].mediaBytes.empty());
}

TEST(PptxReader, RefusesWhatIsNoPresentation)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "x.pptx", asString(docxDocument("<w:p/>")));
    // A slide part that is not XML at all.
    testenv::writeFile(dir / "broken.pptx", asString(folderPackage("read-deck", {{"ppt/slides/slide1.xml", "not xml <<<"}})));
    const std::tuple<const char*, MediaErrorKind, const char*> cases[] = {
        {"x.pptx", MediaErrorKind::NotAPackage, "Word document"},
        {"broken.pptx", MediaErrorKind::DamagedPackage, "'/ppt/slides/slide1.xml' in 'broken.pptx'"},
    };
    for (const auto& [name, kind, says] : cases) {
        Refusal r = refusal([&] { readPresentation(dir / name, name); });
        EXPECT_EQ(r.kind, kind) << r.message;
        EXPECT_NE(r.message.find(says), std::string::npos) << r.message;
    }
}
