// A saved window placement ("left,top,width,height") read back and fitted into a work area of
// any size: no overflow, and a placement that can fit ends up inside the work area.
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

#include "FuzzSupport.h"
#include "desktop/Location.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const auto desktop = [] {
        auto sim = std::make_shared<SimDesktop>();
        Platform::InstallAll(sim);
        return sim;
    }();
    FuzzedDataProvider input(data, size);
    desktop->workArea = {input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>(),
                         input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>()};
    const std::string text = input.ConsumeRemainingBytesAsString();

    Location::TwipsRect location;
    if (!Location::ParseLocation(text, location)) return 0;
    const Location::TwipsRect area = Location::GetWorkArea();
    Location::FitToWorkArea(location);

    Require(location.width <= area.width && location.height <= area.height,
            "the placement is larger than the work area");
    if (location.width >= 0 && location.height >= 0) {
        Require(location.left >= 0 && location.top >= 0, "the placement starts before the area");
        Require(int64_t{location.left} + location.width <= area.width &&
                    int64_t{location.top} + location.height <= area.height,
                "the placement ends beyond the work area");
    }
    return 0;
}
