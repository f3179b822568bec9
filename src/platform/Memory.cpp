#include "platform/Memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace Memory {

void preferLargePages(void *data, std::size_t size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLarge = std::uintptr_t(2) << 20;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kLarge - 1) & ~(kLarge - 1);
    const std::uintptr_t end = (start + size) & ~(kLarge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE); // refused: nothing changes
#else
    (void)data;
    (void)size;
#endif
}

} // namespace Memory
