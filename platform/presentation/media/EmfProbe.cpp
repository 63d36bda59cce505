// EMF: an EMR_HEADER record with the " EMF" signature, then records whose
// sizes chain to an EMR_EOF record. The frame (0.01 mm) gives the size.
#include "media/ByteCursor.h"
#include "media/EmfRecords.h"
#include "media/PictureProbes.h"

namespace pptmedia::probes {
namespace {

constexpr std::size_t kBaseHeaderSize = 88;

}  // namespace

bool looksLikeEmf(Data data)
{
    if (data.size() < 44) return false;
    ByteCursor in(data);
    std::uint32_t type = in.u32le();
    ByteCursor sig(data, 40);
    return type == emf::EMR_HEADER && sig.u32le() == emf::kSignature;
}

PictureInfo probeEmf(Data data, const std::string& displayName)
{
    auto fail = [&](const std::string& why) { damaged(PictureFormat::Emf, displayName, why); };

    PictureInfo info;
    info.format = PictureFormat::Emf;
    ByteCursor in(data);
    in.u32le();
    std::uint32_t headerSize = in.u32le();
    std::int32_t bounds[4], frame[4];
    for (auto& v : bounds) v = in.i32le();
    for (auto& v : frame) v = in.i32le();
    in.u32le();  // signature, checked by looksLikeEmf
    in.u32le();  // version
    std::uint32_t totalBytes = in.u32le();
    in.skip(4 + 2 + 2 + 4 + 4 + 4);  // records, handles, reserved, description, palette
    std::int32_t devicePx[2] = {in.i32le(), in.i32le()};
    std::int32_t deviceMm[2] = {in.i32le(), in.i32le()};
    if (in.truncated() || headerSize < kBaseHeaderSize || headerSize % 4 != 0)
        fail("its header is cut short");
    if (totalBytes > data.size()) fail("it is shorter than its header says");
    if (totalBytes < headerSize) fail("its header gives a wrong file size");

    // Walk the record chain to EMR_EOF.
    ByteCursor records(data.first(totalBytes));
    bool seenEof = false;
    while (!records.atEnd()) {
        std::uint32_t type = records.u32le();
        std::uint32_t size = records.u32le();
        if (records.truncated()) fail("a record header is cut short");
        if (size < 8 || size % 4 != 0 || size - 8 > records.remaining()) fail("a record is cut short");
        records.skip(size - 8);
        if (type == emf::EMR_EOF) {
            seenEof = true;
            break;
        }
    }
    if (!seenEof) fail("it ends before its EOF record");

    if (bounds[2] >= bounds[0] && bounds[3] >= bounds[1]) {
        info.widthPx = static_cast<std::uint32_t>(std::int64_t(bounds[2]) - bounds[0] + 1);
        info.heightPx = static_cast<std::uint32_t>(std::int64_t(bounds[3]) - bounds[1] + 1);
    }
    info.frame = {frame[0], frame[1], frame[2], frame[3]};
    if (frame[2] <= frame[0] || frame[3] <= frame[1]) {
        // No usable frame: derive one from the bounds and the reference device.
        if (info.widthPx == 0 || info.heightPx == 0 || devicePx[0] <= 0 || devicePx[1] <= 0 || deviceMm[0] <= 0 ||
            deviceMm[1] <= 0)
            fail("it gives no picture size");
        double sx = 100.0 * deviceMm[0] / devicePx[0], sy = 100.0 * deviceMm[1] / devicePx[1];
        info.frame = {static_cast<std::int32_t>(bounds[0] * sx), static_cast<std::int32_t>(bounds[1] * sy),
                      static_cast<std::int32_t>((bounds[2] + 1) * sx), static_cast<std::int32_t>((bounds[3] + 1) * sy)};
    }
    if (devicePx[0] > 0 && deviceMm[0] > 0) info.dpiX = devicePx[0] * 25.4 / deviceMm[0];
    if (devicePx[1] > 0 && deviceMm[1] > 0) info.dpiY = devicePx[1] * 25.4 / deviceMm[1];
    return info;
}

}  // namespace pptmedia::probes
