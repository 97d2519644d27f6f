#pragma once
// Large buffers the load fills once (the file image, the grid's cell slots)
// are asked to be backed by huge pages: a million-QSO log otherwise takes some
// hundred thousand page faults, each of them costly on a virtual machine.
#include <cstddef>
#include <cstdint>

#include <sys/mman.h>

inline void adviseHugePages(const void* start, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(start) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(start) + bytes) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}
