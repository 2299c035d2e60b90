#include "zeroedblock_p.h"

#include <cstdlib>
#include <limits>
#include <new>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace TAVQtLib {

// Zero-filled memory that the kernel clears as it hands it out, so nothing is
// cleared twice; large blocks ask for huge pages, one fault per 2 MiB.
std::shared_ptr<char> zeroedBlock(qint64 size)
{
    if (size <= 0 || quint64(size) > std::numeric_limits<size_t>::max() / 2)
        return nullptr;
    try {
#ifdef Q_OS_LINUX
        constexpr size_t HugePage = size_t(2) << 20;
        const bool huge = size_t(size) >= HugePage;
        const size_t length = huge ? (size_t(size) + HugePage - 1) & ~(HugePage - 1) : size_t(size);
        // Mapped with a huge page's slack, then trimmed to a huge page boundary.
        const size_t mapped = huge ? length + HugePage : length;
        void *p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            return nullptr;
        char *base = static_cast<char *>(p);
        char *start = base;
        if (huge) {
            start = reinterpret_cast<char *>((quintptr(base) + HugePage - 1) & ~quintptr(HugePage - 1));
            if (start > base)
                ::munmap(base, size_t(start - base));
            if (base + mapped > start + length)
                ::munmap(start + length, size_t(base + mapped - (start + length)));
            ::madvise(start, length, MADV_HUGEPAGE);
        }
        return std::shared_ptr<char>(start, [length](char *q) { ::munmap(q, length); });
#else
        return std::shared_ptr<char>(static_cast<char *>(std::calloc(size_t(size), 1)), std::free);
#endif
    } catch (const std::bad_alloc &) {
        return nullptr;     // the deleter has freed the block
    }
}

} // namespace TAVQtLib
