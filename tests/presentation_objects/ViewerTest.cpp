// Application.Visible: becoming visible shows the open presentations with
// the configured viewer (saved ones by their file, unsaved ones through a
// temporary copy); an Open while visible shows the opened one; an empty
// setting starts nothing, and a viewer that cannot start is no failure.
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "ObjectFiles.h"
#include "objects/Viewer.h"
#include "registry/Registry.h"

namespace objtest {
namespace {

using namespace ppttest;

class ViewerTest : public PptTest {
protected:
    static void setViewer(const std::string& program)
    {
        registry::Registry::openDefault()->setValue(registry::Hive::CurrentUser, "Software\\Orvel\\PowerPoint",
                                                    "Viewer", registry::Value::string(program));
    }

    // A viewer that appends its argument to a record file.
    fs::path recordingViewer()
    {
        const fs::path script = dir / "viewer.sh";
        testenv::writeFile(script, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + record().string() + "'\n");
        chmod(script.c_str(), 0755);
        return script;
    }
    fs::path record() const { return dir / "shown.txt"; }

    // The lines recorded once `count` are there (the viewer runs detached).
    std::vector<std::string> shown(std::size_t count)
    {
        std::vector<std::string> lines;
        for (int tries = 0; tries < 100; ++tries) {
            lines.clear();
            std::ifstream in(record());
            for (std::string line; std::getline(in, line);) lines.push_back(line);
            if (lines.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return lines;
    }
};

TEST_F(ViewerTest, BecomingVisibleShowsTheOpenPresentationsOnce)
{
    setViewer(recordingViewer().string());
    textOf(addBody(addSlide()))->InsertAfter(u"Saved deck");
    const auto saved = save("saved.pptx");
    // A second presentation, never saved.
    auto unsaved = app->GetPresentations()->Add(msoTrue);
    unsaved->GetSlides()->Add(1, ppLayoutBlank);

    EXPECT_EQ(app->GetVisible(), msoFalse);
    app->PutVisible(msoTrue);
    auto lines = shown(2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], saved.string());
    // The unsaved one through a copy: a complete package of its own.
    EXPECT_NE(lines[1], saved.string());
    EXPECT_EQ(fs::path(lines[1]).filename(), "Presentation2.pptx");
    expectSoundPackage(lines[1]);
    EXPECT_EQ(unsaved->GetFullName(), u"Presentation2");  // still untitled

    // Visible again changes nothing; an Open while visible shows that file.
    app->PutVisible(msoTrue);
    app->GetPresentations()->Open(u16(saved.string()), msoFalse, msoFalse, msoTrue);
    lines = shown(3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], saved.string());
    fs::remove_all(fs::path(lines[1]).parent_path());
}

TEST_F(ViewerTest, NoViewerOrOneThatCannotStartLeavesTheApplicationVisible)
{
    EXPECT_EQ(ppt::viewerProgram(), "xdg-open");  // the desktop's, unless set
    EXPECT_TRUE(ppt::launchDetached("/bin/true", "anything.pptx"));
    save("quiet.pptx");
    setViewer("");
    EXPECT_EQ(ppt::viewerProgram(), "");
    app->PutVisible(msoTrue);
    EXPECT_EQ(app->GetVisible(), msoTrue);

    EXPECT_FALSE(ppt::launchDetached((dir / "no-such-viewer").string(), "x.pptx"));
    EXPECT_FALSE(ppt::launchDetached("", "x.pptx"));
    setViewer((dir / "no-such-viewer").string());
    app->PutVisible(msoFalse);
    app->PutVisible(msoTrue);
    EXPECT_EQ(app->GetVisible(), msoTrue);
    EXPECT_FALSE(fs::exists(record()));
}

}  // namespace
}  // namespace objtest
