#ifndef TAVQ_WHOLEENTRYINFLATER_H
#define TAVQ_WHOLEENTRYINFLATER_H

#include "packagearchive_p.h"

#include <memory>

namespace TAVQtLib {

// Decodes whole entries with a whole-buffer decoder (ISA-L's), which outruns
// zlib's stepwise one. One per thread.
class WholeEntryInflater
{
public:
    WholeEntryInflater();
    ~WholeEntryInflater();
    WholeEntryInflater(const WholeEntryInflater &) = delete;
    WholeEntryInflater &operator=(const WholeEntryInflater &) = delete;

    // Fills `buffer` (entry.outputSize bytes). True only when the stream ends
    // exactly there with the declared CRC-32: the bytes extractToMemory
    // yields. On false the buffer holds anything; extract it stepwise then.
    bool inflate(const PackageDeflatedEntry &entry, char *buffer);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace TAVQtLib

#endif
