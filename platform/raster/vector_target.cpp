// The choice of the vector target. The loops' files are built with the same Highway settings
// (CMakeLists.txt), so HWY_TARGETS here lists what they hold.
#include "raster/vector_target.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <hwy/highway.h>

namespace platform::raster {

namespace {

int64_t Choose() {
    const int64_t available = hwy::SupportedTargets() & HWY_TARGETS;
    const int64_t widest = available & -available;  // better targets have the lower bits
    const char* asked = std::getenv("POKUTAN_RENDER_TARGET");
    if (asked == nullptr || *asked == '\0') {
        return widest;
    }
    std::string names;
    for (int64_t rest = available; rest != 0; rest &= rest - 1) {
        const int64_t target = rest & -rest;
        if (strcasecmp(asked, hwy::TargetName(target)) == 0) {
            std::fprintf(stderr,
                         "pokutan: drawing with the %s vector target (POKUTAN_RENDER_TARGET)\n",
                         hwy::TargetName(target));
            return target;
        }
        names += std::string(names.empty() ? "" : ", ") + hwy::TargetName(target);
    }
    std::fprintf(stderr,
                 "pokutan: POKUTAN_RENDER_TARGET=%s is not a target this processor runs (%s); "
                 "drawing with %s\n",
                 asked, names.c_str(), hwy::TargetName(widest));
    return widest;
}

}  // namespace

int64_t ChosenVectorTarget() {
    static const int64_t chosen = Choose();
    return chosen;
}

}  // namespace platform::raster
