#include "ObjectFiles.h"

#include "TestFiles.h"

namespace objtest {

fs::path writeTestFile(const fs::path& dir, const std::string& name, const std::string& bytes)
{
    const fs::path path = dir / name;
    testenv::writeFile(path, bytes);
    return path;
}

fs::path writeTableDocument(const fs::path& dir, const std::string& name,
                            const std::vector<std::vector<std::string>>& cells)
{
    return writeTestFile(dir, name, mediatest::asString(mediatest::docxDocument(mediatest::docxTableXml(cells))));
}

fs::path writePresentation(const fs::path& dir, const std::string& name, const std::string& text)
{
    using namespace PowerPoint;
    auto app = ppt::makeApplication();
    auto deck = app->GetPresentations()->Add(msoTrue);
    auto slide = deck->GetSlides()->Add(1, ppLayoutBlank);
    auto label = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 60, 60, 500, 40);
    label->GetTextFrame()->GetTextRange()->InsertAfter(ppttest::u16(text));
    const fs::path path = dir / name;
    deck->SaveAs(ppttest::u16(path.string()), ppSaveAsPresentation, msoTrue);
    deck->Close();
    app->Quit();
    return path;
}

std::vector<std::vector<std::string>> cellTexts(int rows, int columns)
{
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            cells[static_cast<std::size_t>(r)].push_back("R" + std::to_string(r + 1) + "C" + std::to_string(c + 1));
    return cells;
}

}  // namespace objtest
