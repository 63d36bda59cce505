// The persist objects that hold drawings besides the main master: the notes
// master, each slide and each notes page, as complete records.
#pragma once

#include <cstdint>
#include <string>

#include "binary/DeckContext.h"

namespace ppt::binary {

std::string notesMasterRecord(DeckContext& deck);
// notesId: the slide's notes page (0: none).
std::string slideRecord(DeckContext& deck, SlideModel& slide, std::uint32_t notesId);
std::string notesRecord(DeckContext& deck, SlideModel& slide);

// The SlideAtom a slide or master starts with.
void writeSlideAtom(RecordStream& out, std::uint32_t layout, std::uint32_t masterId, std::uint32_t notesId, std::uint16_t flags);

// A HeadersFootersAtom with its texts (the per-slide container, or the
// document's for every slide with instance 3).
void writeHeadersFooters(RecordStream& out, std::uint16_t instance, const HeaderFooterSet& set);

}  // namespace ppt::binary
