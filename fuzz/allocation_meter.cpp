// Counts live heap bytes on every allocation and release; the release side asks the allocator
// for the block's size, as the hook is told only the address. The audio thread allocates too,
// hence the atomics; its few bytes fall within each target's fixed allowance.
#include "allocation_meter.h"

#include <atomic>
#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define POKUTAN_METERED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define POKUTAN_METERED 1
#endif
#endif

#ifdef POKUTAN_METERED
// The allocator's hook interface, declared here as GCC's sanitizer runtime ships no header for it.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*onAllocate)(const volatile void*, size_t),
                                              void (*onRelease)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* block);
}
#endif

namespace fuzz {
namespace {

std::atomic<int64_t> live{0};
std::atomic<int64_t> peak{0};
std::atomic<int64_t> base{0};

#ifdef POKUTAN_METERED
void OnAllocate(const volatile void*, size_t size) {
    const int64_t now = live.fetch_add(static_cast<int64_t>(size)) + static_cast<int64_t>(size);
    int64_t highest = peak.load();
    while (now > highest && !peak.compare_exchange_weak(highest, now)) {
    }
}

void OnRelease(const volatile void* block) {
    if (block) {
        live.fetch_sub(static_cast<int64_t>(__sanitizer_get_allocated_size(block)));
    }
}

struct Installer {
    Installer() { __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnRelease); }
} installer;
#endif

}  // namespace

void StartMeasuring() {
    const int64_t now = live.load();
    base.store(now);
    peak.store(now);
}

size_t PeakSinceStart() {
    const int64_t grown = peak.load() - base.load();
    return grown > 0 ? static_cast<size_t>(grown) : 0;
}

}  // namespace fuzz
