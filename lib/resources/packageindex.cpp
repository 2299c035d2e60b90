#include "packageindex_p.h"

#include "packagearchive_p.h"
#include "wholeentryinflater_p.h"
#include "zeroedblock_p.h"
#include "base/tavqlimits.h"
#include "base/tavqtextcodec.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace TAVQtLib {

namespace {

QByteArray asciiLower(QByteArray name)
{
    for (char &c : name) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return name;
}

bool isUtf8(const QByteArray &bytes)
{
    // Most names are ASCII; they need no decoder.
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; }))
        return true;
    bool valid = false;
    TextCodec::toUnicode(bytes, "UTF-8", &valid);
    return valid;
}

// Names are UTF-8 when flagged so or when they decode as such; the others
// come from Chinese Windows tools and are GBK.
QByteArray entryKey(const PackageEntryInfo &info)
{
    // A UTF-8 name is its text's UTF-8 already.
    if (isUtf8(info.name))
        return asciiLower(info.name);
    static const bool gbk = TextCodec::isAvailable("GBK");
    const bool utf8 = (info.flags & PackageUtf8NameFlag) || !gbk;
    return PackageIndex::keyOf(utf8 ? QString::fromUtf8(info.name) : TextCodec::toUnicode(info.name, "GBK"));
}

using Files = std::map<QByteArray, QByteArray>;

// An entry to be filed: where it is, its size, its place in the index and
// its buffer, and whether the whole-buffer decoder can and did fill it.
struct PlannedEntry
{
    int index = 0;
    qint32 size = 0;
    Files::iterator file;
    char *buffer = nullptr;
    PackageDeflatedEntry deflated;  // no input: not for the whole-buffer decoder
    bool inflated = false;
};

// The spans of the entries chosen so far, begin to end; they never overlap.
using Spans = std::map<qint64, qint64>;

bool overlaps(const Spans &spans, const PackageEntrySpan &span)
{
    const auto next = spans.lower_bound(span.begin);
    if (next != spans.end() && next->first < span.end)
        return true;
    return next != spans.begin() && std::prev(next)->second > span.begin;
}

// Chooses the entries to file, in directory order, and files their keys.
std::vector<PlannedEntry> planEntries(PackageArchive *archive, qint64 budget, Files *files)
{
    std::vector<PlannedEntry> plan;
    Spans spans;
    PackageEntryInfo info;
    entryInfo(archive, -1, &info);
    const int count = info.index;
    for (int i = 0; i < count; ++i) {
        entryInfo(archive, i, &info);
        // Empty entries, directories and entries that failed the checks
        // (impossible sizes included) report a size of 0 and are never allocated.
        if (info.uncompressedSize <= 0)
            continue;
        const QByteArray key = entryKey(info);
        if (files->count(key) || info.uncompressedSize > budget)
            continue;   // the entry filed first stays
        // Records that share bytes with an entry chosen before are damage:
        // true entries have their own, and shared ones would multiply them.
        PackageEntrySpan span;
        if (!entrySpan(archive, i, &span) || overlaps(spans, span))
            continue;
        spans.emplace(span.begin, span.end);
        budget -= info.uncompressedSize;
        PlannedEntry entry;
        entry.index = i;
        entry.size = info.uncompressedSize;
        entry.file = files->emplace(key, QByteArray()).first;
        deflatedEntry(archive, i, &entry.deflated);
        plan.push_back(entry);
    }
    return plan;
}

// Each entry is followed by a zero byte (as a QByteArray's are) and starts
// on a 16-byte boundary.
qint64 entrySpan(qint32 size)
{
    return (qint64(size) + 16) & ~qint64(15);
}

// Gives every planned entry a zeroed buffer: one block for all, else one
// each; an entry that gets no memory is not filed.
void placeEntries(std::vector<PlannedEntry> *plan, Files *files, std::vector<std::shared_ptr<char>> *blocks)
{
    qint64 total = 0;
    for (const PlannedEntry &entry : *plan)
        total += entrySpan(entry.size);
    if (std::shared_ptr<char> block = zeroedBlock(total)) {
        qint64 offset = 0;
        for (PlannedEntry &entry : *plan) {
            entry.buffer = block.get() + offset;
            offset += entrySpan(entry.size);
        }
        blocks->push_back(std::move(block));
    } else {
        std::vector<PlannedEntry> placed;
        for (PlannedEntry &entry : *plan) {
            std::shared_ptr<char> own = zeroedBlock(entrySpan(entry.size));
            if (!own) {
                files->erase(entry.file);
                continue;
            }
            entry.buffer = own.get();
            blocks->push_back(std::move(own));
            placed.push_back(entry);
        }
        plan->swap(placed);
    }
    for (const PlannedEntry &entry : *plan)
        entry.file->second = QByteArray::fromRawData(entry.buffer, entry.size);
}

// Below this much output a second thread costs more than it saves.
constexpr qint64 MinParallelBytes = qint64(4) << 20;

// Fills the deflated entries with the whole-buffer decoder, on two threads
// when there is enough work; every thread has finished when this returns.
// Each entry has its own buffer, so the order does not change any byte.
void inflateWholeEntries(std::vector<PlannedEntry> *plan)
{
    std::vector<PlannedEntry *> jobs;
    qint64 bytes = 0;
    for (PlannedEntry &entry : *plan) {
        if (entry.deflated.input) {
            jobs.push_back(&entry);
            bytes += entry.size;
        }
    }
    // Largest first, so that the two threads end close together.
    std::sort(jobs.begin(), jobs.end(), [](const PlannedEntry *a, const PlannedEntry *b) { return a->size > b->size; });
    std::atomic<size_t> next {0};
    const auto work = [&] {
        try {
            WholeEntryInflater inflater;
            for (size_t i = next++; i < jobs.size(); i = next++)
                jobs[i]->inflated = inflater.inflate(jobs[i]->deflated, jobs[i]->buffer);
        } catch (const std::bad_alloc &) {
            // What is left goes the stepwise way.
        }
    };
    std::thread helper;
    if (bytes >= MinParallelBytes && jobs.size() > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            helper = std::thread(work);
        } catch (const std::system_error &) {
            // No second thread: this one does it all.
        }
    }
    work();
    if (helper.joinable())
        helper.join();
}

} // namespace

QByteArray PackageIndex::keyOf(const QString &name)
{
    // Every byte below 0x80 of UTF-8 is the ASCII character itself.
    return asciiLower(name.toUtf8());
}

bool PackageIndex::loadPackageEntries(const QString &path)
{
    PackageArchivePtr archive(openArchive(path));
    if (!archive)
        return false;
    // The entries filed have their own compressed bytes, so all of them together
    // cannot expand beyond what deflate makes of the whole file; nor beyond the
    // package limit, which a large file of well-packed entries would pass.
    const qint64 budget = std::min(QFileInfo(path).size() * MaxDeflateRatio, Limits::MaxPackageBytes);
    std::vector<PlannedEntry> plan = planEntries(archive.get(), budget, &m_files);
    placeEntries(&plan, &m_files, &m_blocks);
    inflateWholeEntries(&plan);
    // The rest, and what the whole-buffer decoder refused, take the reader's
    // stepwise path: a damaged entry keeps what it yields before the failure,
    // and zeros after it.
    for (const PlannedEntry &entry : plan) {
        if (entry.inflated)
            continue;
        if (entry.deflated.input)
            std::memset(entry.buffer, 0, size_t(entry.size));
        extractToMemory(archive.get(), entry.index, entry.buffer, entry.size);
    }
    return true;
}

std::optional<PackageFile> PackageIndex::findFile(const QByteArray &key) const
{
    const auto it = m_files.find(key);
    if (it == m_files.end())
        return std::nullopt;
    return PackageFile {it->second.constData(), qint32(it->second.size())};
}

} // namespace TAVQtLib
