// Slides the generator has moved past, made and deflated on a thread of
// their own while it goes on, and set aside in a spill file. A save takes
// the parts of each slide that still stands where and as it was made,
// instead of making them again; every other slide it makes as always. What
// goes wrong here only costs that time: the save then makes the slide.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "model/PresentationModel.h"
#include "package/Parts.h"

namespace office {
class PartDeflater;
class PartSink;
class SpillFile;
}  // namespace office

namespace ppt {

class FinishedSlides final : public BackgroundWork {
public:
    // Starts the thread for the slides of `model`, which holds this (none
    // when no spill file can be made). Throws what a thread throws.
    FinishedSlides(PresentationModel& model, int compressionLevel);
    ~FinishedSlides() override;
    FinishedSlides(const FinishedSlides&) = delete;
    FinishedSlides& operator=(const FinishedSlides&) = delete;

    // Offers the slides before the last `kBehind`: those the generator has left.
    void offerLeft();
    // Withdraws what is not taken and waits for the slide being made.
    void settle();
    // Waits until every slide offered is made or withdrawn.
    void drain();
    // How many slides have parts made.
    std::size_t made() const;
    // Adds the slide's parts as they were made, when they still hold for
    // `place`. Safe from several threads once settled.
    bool addMade(const SlideModel& slide, const SlidePlace& place, office::PartSink& into) const;

    // Slides still being edited: the current one and the one before it,
    // which text flowing on may reach back to.
    static constexpr std::size_t kBehind = 2;
    // The thread is woken when this many slides wait.
    static constexpr std::size_t kWakeAt = 8;

private:
    struct Offer {
        std::shared_ptr<SlideModel> slide;
        int number = 0;
        int layout = 0;            // index into layouts_
        std::string layoutTarget;  // that one: layouts_ grows meanwhile
    };
    // Where a made slide's parts are in the spill file, and what they hold for.
    struct Made {
        std::uint32_t revision = 0;
        int number = 0;
        bool notes = false;
        int layout = 0;
        int day = 0;  // the date fields show it
        std::uint64_t at = 0;
        std::uint32_t length = 0;
    };

    void work();
    void makeNext(std::unique_lock<std::mutex>& lock, office::PartDeflater& deflater);
    void make(const Offer& offer, office::PartDeflater& deflater);
    int layoutIndex(const std::string& target);

    int level_;
    PresentationModel& model_;  // the thread reads only the slides it takes
    std::unique_ptr<office::SpillFile> spill_;
    std::vector<std::string> layouts_;  // the layout targets slides were made with
    std::size_t next_ = 0;              // slides before this one were offered
    int day_ = 0;                       // as the save sees it

    mutable std::mutex mutex_;
    std::condition_variable offered_, idle_;
    std::deque<Offer> queue_;
    std::unordered_map<int, Made> made_;  // by slide id
    std::size_t wakeAt_ = kWakeAt;
    bool making_ = false;
    bool stopping_ = false;
    bool broken_ = false;  // the spill file failed: nothing more is made
    std::thread thread_;
};

// After a slide is added: offers the slides the generator has left, starting
// the thread with the first (not on a single core).
void offerFinishedSlides(PresentationModel& model);
// Before the whole model is read: the slides made early, settled (null when none).
const FinishedSlides* settleFinishedSlides(PresentationModel& model);

}  // namespace ppt
