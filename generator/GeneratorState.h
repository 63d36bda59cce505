// Everything one Orvel object owns. Members are destroyed in reverse order, so
// the PowerPoint references go tableDocument, bodyRange, slide, presentation,
// presentations, application.
#pragma once

#include <cstdint>
#include <memory>

#include "com/ComPtr.h"
#include "document/IDocument.h"
#include "headfoot/CaptureMode.h"
#include "headfoot/OrvelFooter.h"
#include "headfoot/OrvelHeader.h"
#include "powerpoint/PowerPoint.h"
#include "registry/RegisterCache.h"
#include "support/KestString.h"
#include "support/SysFileLock.h"
#include "support/Trace.h"
#include "text/FontData.h"
#include "text/PptText.h"

struct GeneratorState {
    OrvelHeader header;
    PptText bodyText;
    PptText notesText;
    OrvelFooter footer;
    CaptureMode captureMode = CaptureMode::Body;
    Trace traceLog;
    KestString installDir;
    RegisterCache settingsCache;
    KestString outputFile;
    KestString workingDir;
    KestString templateName;
    std::int32_t pageNumber = 0;
    bool documentOpen = false;
    bool started = false;
    bool shuttingDown = false;
    bool incomplete = false;  // a call failed: close keeps the file given to create as it was
    ComPtr<PowerPoint::_Application> application;
    ComPtr<PowerPoint::Presentations> presentations;
    ComPtr<PowerPoint::_Presentation> presentation;
    ComPtr<PowerPoint::_Slide> slide;
    ComPtr<PowerPoint::TextRange> bodyRange;
    ComPtr<IDocument> tableDocument;
    bool tableDocumentStarted = false;
    bool tableOpen = false;
    std::unique_ptr<SysFileLock> tableLock;  // held while a table part is open
    std::int32_t rowHeight = 0;
    std::int32_t tableHeight = 0;
    FontData tableFont;
    std::int32_t rowCount = 0;
    std::int32_t cellCount = 0;
    bool slideUsed = true;  // so that create gets its first slide
};
