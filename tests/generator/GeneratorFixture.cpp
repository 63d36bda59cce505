#include "GeneratorFixture.h"

#include <fstream>

#include "generator/Orvel.h"

namespace gentest {

ComPtr<IDocument> makeOrvel()
{
    ComPtr<IDocument> made;
    HRESULT hr = Orvel::createInstance(nullptr, IDocument::iid, made.putVoid());
    EXPECT_EQ(hr, S_OK);
    return made;
}

GeneratorTest::GeneratorTest()
{
    doc = newObject();
}

GeneratorTest::~GeneratorTest()
{
    doc = nullptr;
}

ComPtr<IDocument> GeneratorTest::newObject()
{
    ComPtr<IDocument> made = makeOrvel();
    made->overrideRegistry(bs("PowerPoint").get(), bs("ClosePauseMs").get(), bs("0").get(), 1);
    made->overrideRegistry(bs("Log").get(), bs("LogName").get(), bs(logPath.string()).get(), 1);
    made->trace(10);
    return made;
}

std::string GeneratorTest::deckPath(const std::string& name) const
{
    return (dir.path() / name).string();
}

void GeneratorTest::open(const std::string& name)
{
    ASSERT_EQ(doc->start(), S_OK);
    ASSERT_EQ(doc->create(bs(deckPath(name)).get()), S_OK);
}

void GeneratorTest::text(std::string_view t)
{
    doc->insertText(bs(t).get());
}

void GeneratorTest::endl()
{
    doc->insertEndl();
}

void GeneratorTest::option(const char* word)
{
    doc->setOption(bs(word).get(), bs("").get());
}

std::vector<std::string> GeneratorTest::logLines() const
{
    std::vector<std::string> lines;
    std::ifstream in(logPath);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> GeneratorTest::logFrom(const std::string& line) const
{
    std::vector<std::string> all = logLines();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i] == line) return std::vector<std::string>(all.begin() + static_cast<long>(i), all.end());
    return {};
}

std::shared_ptr<fakeppt::SlideModel> GeneratorTest::slideAt(std::size_t index) const
{
    auto presentation = deck();
    if (!presentation || index < 1 || index > presentation->slides.size()) return nullptr;
    return presentation->slides[index - 1];
}

std::string GeneratorTest::bodyOf(std::size_t slide) const
{
    auto s = slideAt(slide);
    if (!s) return "<no slide>";
    // The body label is the one made at Top 55.
    for (const auto& label : s->labels())
        if (label->top == 55.0f) return label->frame->utf8();
    return "<no body>";
}

}  // namespace gentest
