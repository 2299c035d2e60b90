#include "wholeentryinflater_p.h"

#include <isa-l/igzip_lib.h>

#include <limits>

namespace TAVQtLib {

struct WholeEntryInflater::State
{
    inflate_state inflater;
};

WholeEntryInflater::WholeEntryInflater()
    : m_state(std::make_unique<State>())
{
}

WholeEntryInflater::~WholeEntryInflater() = default;

bool WholeEntryInflater::inflate(const PackageDeflatedEntry &entry, char *buffer)
{
    if (!entry.input || entry.outputSize <= 0 || entry.inputSize > std::numeric_limits<quint32>::max()
        || entry.outputSize > std::numeric_limits<quint32>::max())
        return false;
    inflate_state &s = m_state->inflater;
    isal_inflate_init(&s);
    // Raw deflate with the CRC-32 of the output (gzip's is the same) computed on the way.
    s.crc_flag = ISAL_GZIP_NO_HDR;
    s.next_in = const_cast<uchar *>(entry.input);
    s.avail_in = quint32(entry.inputSize);
    s.next_out = reinterpret_cast<uchar *>(buffer);
    s.avail_out = quint32(entry.outputSize);
    // Any stream this decoder rejects, or that does not fill the buffer
    // exactly with the writer's bytes, is left to zlib, so that a damaged
    // entry yields what zlib yields.
    return isal_inflate_stateless(&s) == ISAL_DECOMP_OK && s.avail_out == 0 && s.crc == entry.crc;
}

} // namespace TAVQtLib
