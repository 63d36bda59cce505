#include "GeneratorFixture.h"

#include <fstream>

#include "common/PackageCheck.h"
#include "generator/Orvel.h"

namespace gentest {

const std::string tinyGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
                          "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                          43);

void expectRecorded(const std::string& actual, const std::string& tag)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    testenv::expectRecorded(actual, std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/generator/expected" /
                                        (std::string(test->test_suite_name()) + "." + test->name() + tag + ".txt"));
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

GeneratorTest::GeneratorTest()
{
    doc = newObject();
}

GeneratorTest::~GeneratorTest()
{
    doc = nullptr;
    // Out of the running-object table, so that the next test starts its own.
    try {
        powerpoint->Quit();
    } catch (const ComError&) {
    }
}

ComPtr<IDocument> GeneratorTest::newObject()
{
    ComPtr<IDocument> made;
    EXPECT_EQ(Orvel::createInstance(nullptr, IDocument::iid, made.putVoid()), S_OK);
    made->overrideRegistry(bs("PowerPoint").get(), bs("ClosePauseMs").get(), bs("0").get(), 1);
    made->overrideRegistry(bs("Log").get(), bs("LogName").get(), bs(logPath.string()).get(), 1);
    made->trace(10);
    return made;
}

std::string GeneratorTest::deckPath(const std::string& name) const
{
    const std::filesystem::path file = dir.path() / name;
    return file.has_extension() ? file.string() : file.string() + ".pptx";
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

void GeneratorTest::image(const std::string& file, const std::string& link)
{
    doc->insertImage(bs(file).get(), bs(link).get());
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

int GeneratorTest::slideCount() const
{
    auto presentations = powerpoint->GetPresentations();
    if (presentations->GetCount() == 0) return 0;
    return presentations->Item(presentations->GetCount())->GetSlides()->GetCount();
}

pptx::Package GeneratorTest::saved(const std::string& name)
{
    doc->close();
    const std::filesystem::path file = deckPath(name);
    testenv::CommandResult check = testenv::validatePackage(file);
    EXPECT_EQ(check.status, 0) << check.output;
    return pptx::Package(file);
}

std::string GeneratorTest::withoutDir(std::string text) const
{
    const std::string folder = dir.path().string();
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "<dir>");
    return text;
}

}  // namespace gentest
