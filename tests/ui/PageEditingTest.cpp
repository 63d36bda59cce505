// What the user sees and does in the page: the first load, the dirty flag,
// browsing, and what Apply stores or refuses.
#include <sys/stat.h>

#include <filesystem>

#include "PageFixture.h"
#include "registry/RegisterCache.h"
#include "ui/Window.h"

namespace uitest {
namespace {

const char* const missingMessageTail = "\nFile Not Found.\nPlease verify the correct template name was given.";

TEST_F(PageTest, StoredSettingAppearsOnTheFirstFocusOfTheFirstActivationOnly)
{
    storeTemplate("/decks/corporate.pot");
    activate();
    EXPECT_EQ(boxText(), "") << "nothing is loaded before the box gets the focus";

    ASSERT_TRUE(host.focus(edit()));
    EXPECT_EQ(boxText(), "/decks/corporate.pot");

    replaceText("/other.pot");
    ASSERT_TRUE(host.focus(browseButton()));
    storeTemplate("/decks/changed.pot");
    ASSERT_TRUE(host.focus(edit()));
    EXPECT_EQ(boxText(), "/other.pot") << "a second focus does not load again";

    ASSERT_EQ(page->Deactivate(), S_OK);
    EXPECT_TRUE(host.childWindows(frame).empty()) << "Deactivate destroys the dialog";
    activate();
    host.focus(edit());
    EXPECT_EQ(boxText(), "");
}

TEST_F(PageTest, BrowseStartsFromTheStoredSettingAndTakesTheChoice)
{
    storeTemplate("/decks/stored.pot");
    activate();
    replaceText("/typed/elsewhere.pot");
    host.chooseFile("/decks/chosen.pot");
    ASSERT_TRUE(host.click(browseButton()));

    ASSERT_EQ(host.fileDialogs().size(), 1u);
    const ui::FileDialogRecord& call = host.fileDialogs()[0];
    EXPECT_EQ(call.initialFile, "/decks/stored.pot");
    EXPECT_EQ(call.owner, dialog);
    EXPECT_EQ(call.title, "Select PowerPoint Template File");
    ASSERT_EQ(call.filters.size(), 1u);
    EXPECT_EQ(call.filters[0].first, "PowerPoint Template Files (*.pot)");
    EXPECT_EQ(call.filters[0].second, "*.pot");

    EXPECT_EQ(boxText(), "/decks/chosen.pot");
    EXPECT_EQ(storedTemplate(), "/decks/stored.pot") << "browsing stores nothing";
}

TEST_F(PageTest, BrowseWithAStoredNameTooLongForTheBufferStartsEmptyAndCancelKeepsTheText)
{
    std::string longName = "/" + std::string(300, 'd') + ".pot";
    storeTemplate(longName);
    activate();
    replaceText("/typed.pot");
    host.cancelFileDialog();
    ASSERT_TRUE(host.click(browseButton()));
    ASSERT_EQ(host.fileDialogs().size(), 1u);
    EXPECT_EQ(host.fileDialogs()[0].initialFile, "");
    EXPECT_EQ(boxText(), "/typed.pot");

    std::string fits = "/" + std::string(253, 'e') + ".pot";  // 258 characters
    storeTemplate(fits);
    host.cancelFileDialog();
    host.click(browseButton());
    EXPECT_EQ(host.fileDialogs().at(1).initialFile, fits);
}

// Each change after an Apply notifies the site once; Apply clears the flag
// silently and stores an existing file as typed or the empty value, also after
// Deactivate, seen by the settings cache of a new Orvel object.
TEST_F(PageTest, ApplyStoresAnExistingFileAsTypedOrTheEmptyValue)
{
    auto cached = [] { return RegisterCache().read("PowerPoint", "PptTemplateName", RegEntry(KestString(""))).value.str(); };
    storeTemplate("/decks/old.pot");
    EXPECT_EQ(cached(), "/decks/old.pot");
    activate();
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    host.focus(edit());  // shows the stored name: a change too
    std::size_t changes = 0;
    for (const std::string& typed : {makeFile("Corporate.pot"), std::string()}) {
        replaceText(typed);
        EXPECT_EQ(page->IsPageDirty(), S_OK);
        EXPECT_EQ(site.statusChanges, std::vector<DWORD>(++changes, PROPPAGESTATUS_DIRTY)) << typed;
        ASSERT_EQ(page->Apply(), S_OK) << typed;
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
        EXPECT_EQ(storedTemplate(), typed);
    }
    EXPECT_TRUE(host.messageBoxes().empty());

    std::string kept = makeFile("kept.pot");
    replaceText(kept);
    ASSERT_EQ(page->Deactivate(), S_OK);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(cached(), kept);
}

TEST_F(PageTest, ApplyWithAMissingFileShowsTheMessageAndKeepsEverything)
{
    storeTemplate("/decks/old.pot");
    activate();
    host.focus(edit());
    std::string missing = (folder / "missing.pot").string();
    replaceText(missing);

    EXPECT_EQ(page->Apply(), E_UNEXPECTED);
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    const ui::MessageBoxRecord& box = host.messageBoxes()[0];
    EXPECT_EQ(box.text, missing + missingMessageTail);
    EXPECT_EQ(box.caption, "Invalid Value");
    EXPECT_EQ(box.style, 48u);
    EXPECT_EQ(box.owner, dialog);

    EXPECT_EQ(storedTemplate(), "/decks/old.pot");
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    EXPECT_EQ(boxText(), missing) << "the user can correct the name";
    ASSERT_TRUE(host.type(edit(), "x"));
    EXPECT_EQ(site.statusChanges.size(), 1u) << "still dirty: no second notification";
}

TEST_F(PageTest, ExistenceIsTestedOnTheTextAsTyped)
{
    makeFile("relative.pot");
    activate();
    replaceText("relative.pot");  // not in the current directory
    EXPECT_EQ(page->Apply(), E_UNEXPECTED);

    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(page->Apply(), S_OK);
    std::filesystem::current_path(previous);
    EXPECT_EQ(storedTemplate(), "relative.pot") << "stored as typed, not made absolute";
}

// Only an existing regular file of at most 255 characters is stored; a longer
// name is refused whole, not stored as the folder its first 255 name.
TEST_F(PageTest, ApplyStoresOnlyARegularFileItCanHoldWhole)
{
    std::string base = folder.path().string() + "/";
    std::string at255 = base + std::string(255 - base.size(), 'd');
    std::filesystem::create_directory(at255);
    testenv::writeFile(at255 + "/t.pot", "template");
    std::string fifo = base + "fifo.pot";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string fileAt255 = makeFile(std::string(255 - base.size() - 4, 'f') + ".pot");

    storeTemplate("/decks/old.pot");
    activate();
    for (const std::string& refused : {folder.path().string(), fifo, at255 + "/t.pot"}) {
        replaceText(refused);
        EXPECT_EQ(page->Apply(), E_UNEXPECTED) << refused;
        ASSERT_FALSE(host.messageBoxes().empty());
        const std::string& message = host.messageBoxes().back().text;
        EXPECT_TRUE(message.starts_with(refused.substr(0, 255))) << message;
        EXPECT_TRUE(message.ends_with(missingMessageTail)) << message;
        EXPECT_EQ(storedTemplate(), "/decks/old.pot");
    }
    EXPECT_EQ(host.messageBoxes().size(), 3u);
    ASSERT_EQ(fileAt255.size(), 255u);
    replaceText(fileAt255);
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(storedTemplate(), fileAt255);
}

TEST_F(PageTest, FrameGettingTheExtendedStyleKeepsControlParent)
{
    activate();
    LONG previous = SetWindowLong(dialog, GWL_EXSTYLE, 0);
    EXPECT_EQ(previous, 0);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)), WS_EX_CONTROLPARENT);
    SetWindowLong(dialog, GWL_STYLE, static_cast<LONG>(WS_CHILD));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), WS_CHILD) << "other styles are left alone";
}

}  // namespace
}  // namespace uitest
