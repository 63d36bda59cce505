// The Application and its Presentations collection.
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"
#include "objects/PresentationReader.h"
#include "objects/Viewer.h"

namespace ppt {
namespace {

using namespace PowerPoint;

class PresentationsObject final : public ObjectBase<Presentations> {
public:
    using ObjectBase::ObjectBase;

    int GetCount() override
    {
        return member("Presentations.GetCount", [&] { return static_cast<int>(context().app->presentations.size()); });
    }

    ComPtr<_Presentation> Item(int index) override
    {
        return member("Presentations.Item", [&]() -> ComPtr<_Presentation> {
            return makePresentation(Context{context().app, itemAt("Presentations", context().app->presentations, index)});
        });
    }

    ComPtr<_Presentation> Add(MsoTriState withWindow) override
    {
        return member("Presentations.Add", [&]() -> ComPtr<_Presentation> {
            triStateArgument(withWindow, "Presentations.Add WithWindow");
            AppState& app = *context().app;
            auto model = std::make_shared<PresentationModel>();
            model->name = u"Presentation" + com::utf8ToUtf16(std::to_string(++app.untitledCount));
            app.presentations.push_back(model);
            return makePresentation(Context{context().app, model});
        });
    }

    ComPtr<_Presentation> Open(const std::u16string& fileName, MsoTriState readOnly, MsoTriState untitled,
                               MsoTriState withWindow) override
    {
        return member("Presentations.Open", [&]() -> ComPtr<_Presentation> {
            triStateArgument(readOnly, "Presentations.Open ReadOnly");
            const bool asUntitled = triStateArgument(untitled, "Presentations.Open Untitled");
            const bool window = triStateArgument(withWindow, "Presentations.Open WithWindow");
            AppState& app = *context().app;
            std::shared_ptr<PresentationModel> model = readPresentationFile(fileName);
            if (asUntitled) {
                // A copy with no file of its own: Save asks for a name, as for a new one.
                model->fullName.clear();
                model->nativePath.clear();
                model->name = u"Presentation" + com::utf8ToUtf16(std::to_string(++app.untitledCount));
            }
            app.presentations.push_back(model);
            ComPtr<_Presentation> presentation = makePresentation(Context{context().app, model});
            if (!asUntitled) model->runningCookie = com::registerRunningFile(model->nativePath, presentation.get());
            if (window && app.visible == msoTrue) showPresentation(*model);
            return presentation;
        });
    }
};

class ApplicationObject final : public ObjectBase<_Application> {
public:
    using ObjectBase::ObjectBase;

    ~ApplicationObject() override
    {
        if (context().app->alive) shutDown();
    }

    void registerRunning()
    {
        DWORD cookie = 0;
        if (SUCCEEDED(RegisterActiveObject(static_cast<_Application*>(this), CLSID_Application, 0, &cookie)))
            cookie_ = cookie;
    }

    ComPtr<Presentations> GetPresentations() override
    {
        return member("Application.GetPresentations", [&]() -> ComPtr<Presentations> {
            return makeObject<PresentationsObject>(Context{context().app, nullptr});
        });
    }

    MsoTriState GetVisible() override
    {
        return member("Application.GetVisible", [&] { return context().app->visible; });
    }

    void PutVisible(MsoTriState visible) override
    {
        member("Application.PutVisible", [&] {
            AppState& app = *context().app;
            const MsoTriState wanted = triState(triStateArgument(visible, "Application.Visible"));
            if (wanted == app.visible) return;
            app.visible = wanted;
            // Becoming visible shows what is open.
            if (wanted == msoTrue)
                for (const auto& presentation : app.presentations) showPresentation(*presentation);
        });
    }

    void Quit() override
    {
        member("Application.Quit", [&] {
            // Keep this object alive while the table lets go of it.
            ComPtr<_Application> self(this);
            shutDown();
        });
    }

private:
    void shutDown()
    {
        AppState& app = *context().app;
        app.alive = false;
        // Unsaved work is dropped, as when PowerPoint's process ends.
        while (!app.presentations.empty()) app.closePresentation(*app.presentations.back());
        if (DWORD cookie = std::exchange(cookie_, 0)) RevokeActiveObject(cookie, nullptr);
    }

    DWORD cookie_ = 0;
};

}  // namespace

bool triStateArgument(MsoTriState value, const char* member)
{
    switch (value) {
    case msoTrue:
    case msoCTrue: return true;
    case msoFalse: return false;
    default:
        com::throwComError(E_INVALIDARG, std::string(member) + " : the value " + std::to_string(static_cast<int>(value)) +
                                             " is not valid here (use msoTrue or msoFalse).");
    }
}

ComPtr<_Application> makeApplication()
{
    auto* app = new ApplicationObject(Context{std::make_shared<AppState>(), nullptr});
    ComPtr<_Application> result(app);
    app->registerRunning();
    return result;
}

ComPtr<Presentations> makePresentations(const Context& context) { return makeObject<PresentationsObject>(context); }

}  // namespace ppt
