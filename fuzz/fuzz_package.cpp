// Feeds arbitrary bytes to the package reader as a package image.

#include "base/tavqlimits.h"
#include "resources/packagearchive_p.h"
#include "resources/wholeentryinflater_p.h"
#include "resources/packageindex_p.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using namespace TAVQtLib;

namespace {

// Declared sizes are bounded only by the deflate ratio; keep each run fast.
constexpr qint64 MaxEntrySize = 256 << 10;
constexpr qint64 MaxTotalSize = 1 << 20;
// The index files at most the deflate ratio times the file (and at most the
// package limit): 64 MiB for the largest input it is given.
constexpr size_t MaxIndexedInput = size_t(64 << 20) / MaxDeflateRatio;
// The corpus script encrypts some entries with this password.
const char Password[] = "fuzz";

std::unique_ptr<char[]> zeroed(qint64 size)
{
    // Exact-size heap blocks so that any write past the end is caught.
    std::unique_ptr<char[]> buffer(new char[size_t(size)]);
    std::memset(buffer.get(), 0, size_t(size));
    return buffer;
}

void exerciseEntry(PackageArchive *archive, int index, qint64 size)
{
    const auto whole = zeroed(size);
    const PackageResult wholeResult = extractToMemory(archive, index, whole.get(), size);

    // The whole-buffer decoder the index prefers must give zlib's bytes
    // whenever it accepts an entry (the index falls back to zlib otherwise).
    PackageDeflatedEntry deflated;
    if (deflatedEntry(archive, index, &deflated)) {
        static WholeEntryInflater inflater;
        const auto fast = zeroed(size);
        if (deflated.outputSize != size
            || (inflater.inflate(deflated, fast.get())
                && (wholeResult != PackageOk || std::memcmp(whole.get(), fast.get(), size_t(size)) != 0))) {
            std::fprintf(stderr, "entry %d: the whole-buffer decoder and zlib disagree\n", index);
            std::abort();
        }
    }

    // Once more, one byte short, then the last byte on its own: the stream
    // must pick up where it stopped and give the same bytes.
    if (size == 0) {
        extractToMemory(archive, index, nullptr, 0);
        return;
    }
    const auto head = zeroed(size - 1);
    const auto tail = zeroed(1);
    PackageResult shortResult = extractToMemory(archive, index, head.get(), size - 1);
    if (shortResult == PackageMoreData)
        shortResult = extractToMemory(archive, index, tail.get(), 1);
    if (wholeResult == PackageOk && shortResult == PackageOk
        && (std::memcmp(whole.get(), head.get(), size_t(size - 1)) != 0 || whole[size - 1] != tail[0])) {
        std::fprintf(stderr, "entry %d: split extraction differs from whole extraction\n", index);
        std::abort();
    }
}

struct Summary
{
    bool opened = false;
    bool countPlausible = false;
};

// An entry the query accepts lies whole in the input, local header included.
void checkSpan(PackageArchive *archive, int index, const PackageEntryInfo &info, qint64 inputSize)
{
    PackageEntrySpan span;
    if (!entrySpan(archive, index, &span) || span.begin < 0 || span.end > inputSize
        || span.end - span.begin < 30 + qint64(info.compressedSize)) {
        std::fprintf(stderr, "entry %d: its span does not match its description\n", index);
        std::abort();
    }
}

Summary exerciseMemory(const QByteArray &bytes)
{
    Summary summary;
    PackageArchivePtr archive(openArchiveData(bytes, Password));
    if (!archive)
        return summary;
    summary.opened = true;
    PackageEntryInfo info;
    if (entryInfo(archive.get(), -1, &info) != PackageOk)
        return summary;
    const int count = info.index;
    // The end record may claim up to 65535 entries in a few bytes; no more
    // than one per directory record's worth of input can be usable, so the
    // rest costs time and reaches nothing new. The last index is still tried.
    const int usable = int(std::min<qint64>(count, bytes.size() / 46 + 1));
    summary.countPlausible = usable == count;
    if (usable < count)
        entryInfo(archive.get(), count - 1, &info);
    qint64 budget = MaxTotalSize;
    for (int i = 0; i < usable; ++i) {
        if (entryInfo(archive.get(), i, &info) != PackageOk) {
            // Extraction is tried on entries the query refused too.
            char probe[16];
            extractToMemory(archive.get(), i, probe, sizeof probe);
            continue;
        }
        checkSpan(archive.get(), i, info, bytes.size());
        const qint64 size = info.uncompressedSize;
        if (size < 0 || size > MaxEntrySize || size > budget)
            continue;
        budget -= size;
        exerciseEntry(archive.get(), i, size);
        // Asked again, the entry must still be described the same way.
        PackageEntryInfo again;
        if (entryInfo(archive.get(), i, &again) != PackageOk || again.name != info.name
            || again.uncompressedSize != info.uncompressedSize) {
            std::fprintf(stderr, "entry %d: described differently the second time\n", i);
            std::abort();
        }
    }
    // Out-of-range requests must be refused, not read.
    entryInfo(archive.get(), count, &info);
    char byte = 0;
    extractToMemory(archive.get(), count, &byte, 1);
    char message[32];
    resultMessage(1, message, sizeof message);
    return summary;
}

const std::string &scratchPath()
{
    static const std::string path = [] {
        const char *dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : P_tmpdir;
        std::string p = std::string(dir) + "/tavq_fuzz_package_" + std::to_string(getpid()) + ".zip";
        std::atexit([] { std::remove(scratchPath().c_str()); });
        return p;
    }();
    return path;
}

void exerciseFile(const uint8_t *data, size_t size)
{
    const std::string &path = scratchPath();
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        return;
    PackageIndex index;
    if (!index.loadPackageEntries(QString::fromStdString(path)))
        return;
    // Filed entries never share bytes: each has its own local header and at
    // least its size over the deflate ratio in compressed bytes.
    qint64 held = 0;
    qint64 needed = 0;
    for (const auto &file : index.files()) {
        const auto found = index.findFile(file.first);
        if (!found || found->length != file.second.size())
            std::abort();
        held += file.second.size();
        needed += 30 + (file.second.size() + MaxDeflateRatio - 1) / MaxDeflateRatio;
    }
    if (needed > qint64(size) || held > Limits::MaxPackageBytes) {
        std::fprintf(stderr, "the index holds %lld bytes that need %lld input bytes of %zu\n",
                     static_cast<long long>(held), static_cast<long long>(needed), size);
        std::abort();
    }
    // A key that is not filed must not be found (any name can be filed).
    const QByteArray missing("\x01not an entry");
    if (!index.files().count(missing) && index.findFile(missing))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(1) << 30)
        return 0;
    // A raw view, not a copy: a read past the input is then out of bounds
    // for the sanitizer (a copy would carry a terminating NUL).
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const Summary summary = exerciseMemory(bytes);
    // The file-backed path costs a write, fills what the index allows and
    // walks every claimed entry; take it for a share of the inputs, and
    // small ones only, whatever their entries declare.
    if (summary.opened && summary.countPlausible && size <= MaxIndexedInput && (data[0] & 1))
        exerciseFile(data, size);
    return 0;
}
