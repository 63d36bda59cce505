// Attaching to PowerPoint, making, saving and closing the presentation,
// showing the last one, and letting PowerPoint go.
#include <chrono>
#include <thread>

#include "com/ComRuntime.h"
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/OrvelSettings.h"
#include "generator/OutputFileName.h"
#include "support/SysCOMSupport.h"
#include "support/SysFile.h"
#include "text/TextConversion.h"

using namespace PowerPoint;

HRESULT Orvel::start()
{
    GeneratorState& s = *state_;
    if (s.started) return S_OK;
    CallEcho::line(s.traceLog, "orvel->start();");

    CSignal2Exception signalGuard;
    try {
        ComPtr<IUnknown> running = SysCOMSupport::getRunningIUnknown(KestString(applicationClsidString));
        if (running) {
            HRESULT hr = S_OK;
            s.application = running.as<_Application>(&hr);
            if (FAILED(hr) && hr != E_NOINTERFACE) com::throwComError(hr);
            running.reset();
        } else {
            HRESULT hr = S_OK;
            s.application = com::createInstance<_Application>(applicationProgId, &hr, CLSCTX_ALL);
            if (FAILED(hr) && hr != E_NOINTERFACE) com::throwComError(hr);
        }
        if (!s.application) com::throwComError(E_POINTER);
        s.presentations = s.application->GetPresentations();
        s.started = true;
    } catch (const KestException&) {
        throw;
    } catch (const ComError& error) {
        // No class behind the ProgID: PowerPoint is not installed.
        if (error.Error() == CO_E_CLASSSTRING) raise(KestString("Cannot open PowerPoint\nPlease install PowerPoint.\n"));
        reportComError(KestString("Cannot open PowerPoint"), error);
    } catch (...) {
    }
    return S_OK;
}

HRESULT Orvel::create(BSTR fileName)
{
    GeneratorState& s = *state_;
    s.outputFile = lowerCased(fromBstr(fileName));
    CallEcho(s.traceLog, "orvel->create(").quoted(s.outputFile).end();
    s.outputFile = KestString(withPresentationExtension(s.outputFile.view()));
    s.incomplete = false;

    // A deck left open without close gets its last slide finished under the
    // number it has there, before anything follows the new presentation; a
    // closed deck's last slide was finished by close and is not touched again.
    // A deck that can no longer be reached is let go all the same.
    if (s.documentOpen) {
        s.documentOpen = false;
        guarded("pageBreak", [&] { finishSlide(); });
    }

    // The same file open in this PowerPoint is closed unsaved first.
    if (SysCOMSupport::isFileRunning(s.outputFile)) {
        const int count = s.presentations->GetCount();
        for (int index = 1; index <= count; ++index) {
            ComPtr<_Presentation> open = s.presentations->Item(index);
            if (namesSameFile(fromWide(open->GetFullName()), s.outputFile)) {
                open->Close();
                break;
            }
        }
    }
    s.presentation = s.presentations->Add(msoTrue);

    s.templateName = OrvelSettings::templateName(s.settingsCache);
    KestString templatePath = OrvelSettings::templatePath(s.templateName);
    if (!templatePath.isEmpty()) {
        if (!SysFile::exists(templatePath)) {
            KestString reason("Powerpoint template does not exist.\n");
            reason.append(templatePath);
            raise(reason);
        }
        guarded("Applying template", [&] { s.presentation->ApplyTemplate(toWide(templatePath)); });
    }
    s.footer.setFooter(s.presentation->GetSlideMaster()->GetHeadersFooters());

    // Every presentation starts again at slide 1, also the second one of an
    // object; its first slide has no previous one to finish.
    s.pageNumber = 0;
    s.slideUsed = true;
    s.documentOpen = true;
    guarded("pageBreak", [&] { addSlide(); });
    return S_OK;
}

HRESULT Orvel::close()
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    CallEcho::line(s.traceLog, "orvel->close();");
    finishSlide();
    // A presentation that misses what failed does not replace the last complete one.
    const KestString target = s.incomplete ? incompleteFileName(s.outputFile) : s.outputFile;
    guarded("Saving powerpoint document", [&] {
        s.presentation->SaveAs(toWide(target), ppSaveAsPresentation, msoTrue);
        s.presentation->Close();
    });
    s.documentOpen = false;
    pauseAfterClose();
    if (s.incomplete) {
        s.incomplete = false;
        KestString reason("Saving powerpoint document\nThe presentation is incomplete: it was saved as ");
        reason.append(target);
        reason.append(", and ");
        reason.append(s.outputFile);
        reason.append(" was left as it was.");
        if (!s.shuttingDown) raise(reason);
        if (s.traceLog.isTrace(errorLevel)) s.traceLog << reason << std::endl;
    }
    return S_OK;
}

void Orvel::pauseAfterClose()
{
    unsigned pause = OrvelSettings::closePauseMs(state_->settingsCache);
    if (pause > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pause));
}

HRESULT Orvel::stop()
{
    GeneratorState& s = *state_;
    if (!s.started) return S_OK;
    CallEcho::line(s.traceLog, "orvel->stop();");
    // Every presentation open in this PowerPoint, the last one first.
    int count = s.presentations->GetCount();
    for (int index = count; index >= 1; --index) {
        ComPtr<_Presentation> open = s.presentations->Item(index);
        open->Save();
        open->Close();
    }
    s.application->Quit();
    s.started = false;
    return S_OK;
}

HRESULT Orvel::showLast()
{
    GeneratorState& s = *state_;
    if (!s.started) start();
    if (!s.documentOpen) {
        guarded("Opening last generated presentation", [&] {
            makeVisible();
            s.presentations->Open(toWide(s.outputFile), msoFalse, msoFalse, msoTrue);
        });
    }
    makeVisible();
    return S_OK;
}

void Orvel::makeVisible()
{
    if (state_->started) state_->application->PutVisible(msoTrue);
}
