#include "package/FinishedSlides.h"

#include <cstring>
#include <ctime>

#include "office/package/DeflatePool.h"
#include "office/package/FileError.h"
#include "office/package/PartDeflater.h"
#include "office/package/SpillFile.h"
#include "package/DesignImport.h"
#include "package/ObjectParts.h"
#include "package/PackageWriter.h"

namespace ppt {
namespace {

// The day the date fields of a slide written now would show.
int today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year * 400 + local.tm_yday;
}

// A slide whose parts depend on nothing but itself and its place: no
// pictures or objects (the media store keeps growing meanwhile) and no jumps
// to other slides (resolved against the whole deck).
bool standsAlone(const ShapeTree& tree)
{
    for (const auto& shape : tree.shapes)
        if (isObjectShape(*shape)) return false;
    for (const LinkTarget& link : tree.links)
        if (link.address.empty() && !link.subAddress.empty()) return false;
    return true;
}

// The parts as they go to the spill file: for each, its name, checksum,
// sizes and deflated bytes.
template <class T>
void put(std::string& out, T value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}
template <class T>
bool get(std::string_view& in, T& value)
{
    if (in.size() < sizeof value) return false;
    std::memcpy(&value, in.data(), sizeof value);
    in.remove_prefix(sizeof value);
    return true;
}
bool get(std::string_view& in, std::size_t size, std::string& value)
{
    if (in.size() < size) return false;
    value.assign(in.data(), size);
    in.remove_prefix(size);
    return true;
}

std::string record(const std::vector<office::DeflatedPart>& parts)
{
    std::string out;
    for (const office::DeflatedPart& part : parts) {
        put(out, static_cast<std::uint32_t>(part.name.size()));
        put(out, static_cast<std::uint32_t>(part.bytes.size()));
        put(out, part.crc);
        put(out, part.size);
        out += part.name;
        out += part.bytes;
    }
    return out;
}

bool parts(std::string_view in, std::vector<office::DeflatedPart>& out)
{
    while (!in.empty()) {
        office::DeflatedPart& part = out.emplace_back();
        std::uint32_t nameLength = 0, length = 0;
        if (!get(in, nameLength) || !get(in, length) || !get(in, part.crc) || !get(in, part.size) ||
            !get(in, nameLength, part.name) || !get(in, length, part.bytes))
            return false;
    }
    return true;
}

}  // namespace

FinishedSlides::FinishedSlides(PresentationModel& model, int compressionLevel)
    : level_(compressionLevel), model_(model)
{
    try {
        spill_ = std::make_unique<office::SpillFile>();
    } catch (const office::FileError&) {
        broken_ = true;  // nowhere to set slides aside: the save makes them all
        return;
    }
    thread_ = std::thread([this] { work(); });
}

FinishedSlides::~FinishedSlides()
{
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    offered_.notify_all();
    thread_.join();
}

void FinishedSlides::offerLeft()
{
    PresentationModel& model = model_;
    if (!thread_.joinable()) return;
    std::vector<Offer> offers;
    std::string layout;
    for (; next_ + kBehind < model.slides.size(); ++next_) {
        const std::shared_ptr<SlideModel>& slide = model.slides[next_];
        // Measured here, as measuring uses caches this thread owns; a slide
        // the other thread still has (moved here by an insertion) waits.
        slide->guard.touch();
        settleSlideLayout(*slide);
        if (!slide->guard.offer()) continue;
        if (layout.empty()) layout = slideLayoutTarget(model);
        offers.push_back(Offer{slide, static_cast<int>(next_ + 1), layoutIndex(layout), layout});
    }
    if (offers.empty()) return;
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        if (broken_) {
            for (Offer& offer : offers) offer.slide->guard.withdraw();
            return;
        }
        // Woken once a few slides wait, not for each: a wake-up costs the
        // generator as much as a slide takes the other thread.
        wake = queue_.size() < wakeAt_ && queue_.size() + offers.size() >= wakeAt_;
        for (Offer& offer : offers) queue_.push_back(std::move(offer));
    }
    if (wake) offered_.notify_one();
}

int FinishedSlides::layoutIndex(const std::string& target)
{
    for (std::size_t i = 0; i < layouts_.size(); ++i)
        if (layouts_[i] == target) return static_cast<int>(i);
    layouts_.push_back(target);
    return static_cast<int>(layouts_.size() - 1);
}

void FinishedSlides::settle()
{
    std::unique_lock lock(mutex_);
    for (Offer& offer : queue_) offer.slide->guard.withdraw();
    queue_.clear();
    idle_.wait(lock, [this] { return !making_; });
    day_ = today();
}

void FinishedSlides::drain()
{
    std::unique_lock lock(mutex_);
    wakeAt_ = 1;
    offered_.notify_one();
    idle_.wait(lock, [this] { return queue_.empty() && !making_; });
    wakeAt_ = kWakeAt;
}

std::size_t FinishedSlides::made() const
{
    std::lock_guard lock(mutex_);
    return made_.size();
}

void FinishedSlides::work()
{
    office::PartDeflater deflater(level_);
    std::unique_lock lock(mutex_);
    for (;;) {
        offered_.wait(lock, [this] { return stopping_ || queue_.size() >= wakeAt_; });
        while (!stopping_ && !queue_.empty()) makeNext(lock, deflater);
        if (stopping_) return;
    }
}

// Takes the oldest offer and makes it, with the lock released meanwhile.
void FinishedSlides::makeNext(std::unique_lock<std::mutex>& lock, office::PartDeflater& deflater)
{
    Offer offer = std::move(queue_.front());
    queue_.pop_front();
    making_ = true;
    lock.unlock();
    bool failed = false;
    try {
        make(offer, deflater);
    } catch (...) {
        failed = true;  // the save makes this slide, and every later one
    }
    offer.slide.reset();
    lock.lock();
    making_ = false;
    broken_ = broken_ || failed;
    if (broken_) {
        for (Offer& left : queue_) left.slide->guard.withdraw();
        queue_.clear();
    }
    idle_.notify_all();
}

void FinishedSlides::make(const Offer& offer, office::PartDeflater& deflater)
{
    PartGuard& guard = offer.slide->guard;
    if (!guard.take()) return;  // touched since it was offered
    struct Release {
        PartGuard& guard;
        ~Release() { guard.release(); }
    } release{guard};

    SlideModel& slide = *offer.slide;
    if (!standsAlone(slide.shapes) || (slide.notes && !standsAlone(slide.notes->shapes))) return;
    Made made;
    made.revision = guard.revision();
    made.number = offer.number;
    made.notes = slide.notes != nullptr;
    made.layout = offer.layout;
    made.day = today();
    std::vector<office::DeflatedPart> parts;
    deflater.into(parts);
    static const SlideDirectory noSlides;
    writeSlideParts(deflater, slide, SlidePlace{offer.number, made.notes, offer.layoutTarget, noSlides, model_});
    const std::string bytes = record(parts);
    made.length = static_cast<std::uint32_t>(bytes.size());
    made.at = spill_->append(bytes);
    std::lock_guard lock(mutex_);
    made_[slide.id] = made;
}

bool FinishedSlides::addMade(const SlideModel& slide, const SlidePlace& place, office::PartSink& into) const
{
    if (!into.takesDeflated()) return false;
    auto it = made_.find(slide.id);
    if (it == made_.end()) return false;
    const Made& made = it->second;
    if (made.revision != slide.guard.revision() || made.number != place.number || made.notes != place.notes ||
        layouts_[static_cast<std::size_t>(made.layout)] != place.layoutTarget || made.day != day_)
        return false;
    std::vector<office::DeflatedPart> found;
    try {
        thread_local std::string buffer;  // each worker reads slide after slide
        spill_->read(made.at, made.length, buffer);
        if (!parts(buffer, found)) return false;
    } catch (const std::exception&) {
        return false;  // made again
    }
    for (office::DeflatedPart& part : found) into.addDeflated(std::move(part));
    return true;
}

void offerFinishedSlides(PresentationModel& model)
{
    if (model.slides.size() <= FinishedSlides::kBehind) return;
    if (!model.background) {
        if (office::DeflatePool::usefulThreads() == 0) return;  // one core: nothing to win
        try {
            model.background = std::make_unique<FinishedSlides>(model, kPackageCompressionLevel);
        } catch (const std::exception&) {
            return;  // no thread: the save makes every slide
        }
    }
    if (auto* finished = dynamic_cast<FinishedSlides*>(model.background.get())) finished->offerLeft();
}

const FinishedSlides* settleFinishedSlides(PresentationModel& model)
{
    auto* finished = dynamic_cast<FinishedSlides*>(model.background.get());
    if (finished) finished->settle();
    return finished;
}

}  // namespace ppt
