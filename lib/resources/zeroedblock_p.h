#ifndef TAVQ_ZEROEDBLOCK_H
#define TAVQ_ZEROEDBLOCK_H

#include <QtGlobal>

#include <memory>

namespace TAVQtLib {

// Zero-filled memory of at least `size` bytes, or null; freed with its last
// owner. On Linux the block is mapped anonymously, so the kernel clears it as it
// hands it out, and blocks of 2 MiB or more ask for transparent huge pages.
std::shared_ptr<char> zeroedBlock(qint64 size);

} // namespace TAVQtLib

#endif
