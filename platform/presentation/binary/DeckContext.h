// What the parts of a .ppt share while it is written: the model and the
// master's design, the fonts, drawing ids, pictures, external objects and the
// persist objects that are not slides (embedded storages).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "binary/DrawingIds.h"
#include "binary/ExternalObjects.h"
#include "binary/FontTable.h"
#include "binary/ImportedMasterDesign.h"
#include "binary/MasterDesign.h"
#include "binary/PictureStore.h"
#include "model/PresentationModel.h"

namespace ppt::binary {

// Persist ids of the fixed objects; slides, notes and storages follow.
constexpr std::uint32_t kDocumentPersistId = 1, kMainMasterPersistId = 2, kNotesMasterPersistId = 3;
constexpr std::uint32_t kFirstFreePersistId = 4;

struct DeckContext {
    explicit DeckContext(PresentationModel& deck)
        : model(deck), design(deck.design ? importedMasterDesign(*deck.design) : MasterDesign()), pictures(deck.media), objects(deck)
    {
    }

    PresentationModel& model;
    const MasterDesign design;  // the applied template's, else the built-in one
    FontTable fonts;
    DrawingIds drawings;
    PictureStore pictures;
    ExternalObjects objects;
    std::uint32_t nextPersistId = kFirstFreePersistId;
    std::vector<std::pair<std::uint32_t, std::string>> storages;  // ExOleObjStg records by persist id
};

}  // namespace ppt::binary
