// Throughput of loading a whole package: our reader against raw zlib inflate
// and against Info-ZIP unzip, over the same generated package.

#include "resources/packagearchive_p.h"
#include "resources/packageindex_p.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <isa-l/igzip_lib.h>
#include <libdeflate.h>
#include <zip.h>
#include <zlib.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace TAVQtLib;

namespace {

constexpr int EntryCount = 200;
constexpr size_t TargetTotal = size_t(50) << 20;

struct Entry
{
    std::string name;
    size_t dataOffset = 0;      // into Fixture::image
    size_t compressedSize = 0;
    size_t uncompressedSize = 0;
};

struct Fixture
{
    std::string path;
    std::vector<unsigned char> image;   // the whole package file
    std::vector<Entry> entries;
    size_t totalUncompressed = 0;
};

Fixture g_fixture;

// Lines built from a small vocabulary with varying numbers: compresses about
// as well as the pages and style sheets of a real package.
std::string textLike(std::mt19937_64 &rng, size_t size)
{
    static const char *const words[] = {
        "panel", "button", "style", "margin", "border", "color", "text", "image", "width", "height",
        "left", "right", "top", "bottom", "visible", "round", "family", "size", "bold", "name",
        "page", "item", "price", "count", "title", "value", "index", "layout", "hover", "focus"};
    std::string out;
    out.reserve(size + 128);
    std::uniform_int_distribution<int> word(0, int(std::size(words)) - 1);
    std::uniform_int_distribution<int> number(0, 99999);
    std::uniform_int_distribution<int> length(3, 12);
    char digits[16];
    while (out.size() < size) {
        const int n = length(rng);
        for (int i = 0; i < n; ++i) {
            out += words[word(rng)];
            if (i % 3 == 1) {
                std::snprintf(digits, sizeof digits, " %d", number(rng));
                out += digits;
            }
            out += i + 1 < n ? ' ' : '\n';
        }
    }
    out.resize(size);
    return out;
}

std::string randomBytes(std::mt19937_64 &rng, size_t size)
{
    std::string out(size, '\0');
    for (size_t i = 0; i < size; i += 8) {
        const quint64 v = rng();
        std::memcpy(&out[i], &v, std::min<size_t>(8, size - i));
    }
    return out;
}

quint16 le16(const unsigned char *p) { return quint16(p[0] | (p[1] << 8)); }
quint32 le32(const unsigned char *p) { return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24); }

bool fail(const char *what)
{
    std::fprintf(stderr, "bench_package: %s\n", what);
    return false;
}

// Every entry deflated, even the random ones: libzip keeps an explicitly
// requested method, where Info-ZIP zip would store incompressible data.
bool writePackage(const std::string &path)
{
    std::mt19937_64 rng(20240229);
    std::uniform_int_distribution<size_t> sizeDist(TargetTotal / EntryCount / 4, TargetTotal / EntryCount * 7 / 4);
    std::vector<std::string> contents;
    contents.reserve(EntryCount);
    int error = 0;
    zip_t *zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return fail("cannot create the package");
    for (int i = 0; i < EntryCount; ++i) {
        const size_t size = sizeDist(rng);
        const bool text = i % 2 == 0;
        contents.push_back(text ? textLike(rng, size) : randomBytes(rng, size));
        char name[64];
        std::snprintf(name, sizeof name, text ? "pages/Page_%03d.txt" : "img/blob_%03d.bin", i);
        zip_source_t *source = zip_source_buffer(zip, contents.back().data(), contents.back().size(), 0);
        const zip_int64_t index = source ? zip_file_add(zip, name, source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 || zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6) != 0) {
            zip_source_free(source);
            zip_discard(zip);
            return fail("cannot add an entry");
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        return fail("cannot write the package");
    }
    return true;
}

// Walks the central directory to find each entry's compressed bytes.
bool indexPackage(Fixture *f)
{
    QFile file(QString::fromStdString(f->path));
    if (!file.open(QIODevice::ReadOnly))
        return fail("cannot read the package back");
    const QByteArray all = file.readAll();
    f->image.assign(all.begin(), all.end());
    const unsigned char *data = f->image.data();
    const size_t size = f->image.size();
    if (size < 22 || le32(data + size - 22) != 0x06054B50)
        return fail("the package has a comment or no end record");
    const unsigned char *end = data + size - 22;
    const int count = le16(end + 10);
    size_t pos = le32(end + 16);
    for (int i = 0; i < count; ++i) {
        if (pos + 46 > size || le32(data + pos) != 0x02014B50)
            return fail("bad directory record");
        const unsigned char *r = data + pos;
        Entry e;
        e.compressedSize = le32(r + 20);
        e.uncompressedSize = le32(r + 24);
        e.name.assign(reinterpret_cast<const char *>(r + 46), le16(r + 28));
        const size_t local = le32(r + 42);
        if (le16(r + 10) != Z_DEFLATED || local + 30 > size || le32(data + local) != 0x04034B50)
            return fail("entry not deflated or bad local header");
        e.dataOffset = local + 30 + le16(data + local + 26) + le16(data + local + 28);
        if (e.dataOffset + e.compressedSize > size)
            return fail("entry data out of the file");
        f->totalUncompressed += e.uncompressedSize;
        f->entries.push_back(e);
        pos += 46 + le16(r + 28) + le16(r + 30) + le16(r + 32);
    }
    return true;
}

struct Usage
{
    long faults = 0;
    double systemSeconds = 0;
};

Usage usageNow()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return {usage.ru_minflt, double(usage.ru_stime.tv_sec) + double(usage.ru_stime.tv_usec) / 1e6};
}

// Bytes per second, plus page faults and kernel time per iteration: first
// touches of fresh memory are most of what separates the benchmarks.
void report(benchmark::State &state, const Usage &before)
{
    state.SetBytesProcessed(qint64(state.iterations()) * qint64(g_fixture.totalUncompressed));
    const Usage after = usageNow();
    const double iterations = double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["faults_per_iter"] = double(after.faults - before.faults) / iterations;
    state.counters["sys_ms_per_iter"] = (after.systemSeconds - before.systemSeconds) * 1000 / iterations;
}

bool rawInflate(const Entry &e, char *out)
{
    z_stream s {};
    if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
        return false;
    s.next_in = const_cast<Bytef *>(g_fixture.image.data() + e.dataOffset);
    s.avail_in = uInt(e.compressedSize);
    s.next_out = reinterpret_cast<Bytef *>(out);
    s.avail_out = uInt(e.uncompressedSize);
    const int ret = inflate(&s, Z_FINISH);
    inflateEnd(&s);
    return ret == Z_STREAM_END && s.avail_out == 0;
}

bool libdeflateInflate(libdeflate_decompressor *d, const Entry &e, char *out)
{
    size_t produced = 0;
    return libdeflate_deflate_decompress(d, g_fixture.image.data() + e.dataOffset, e.compressedSize, out,
                                         e.uncompressedSize, &produced) == LIBDEFLATE_SUCCESS
        && produced == e.uncompressedSize;
}

bool isalInflate(inflate_state *state, const Entry &e, char *out)
{
    isal_inflate_init(state);
    state->next_in = const_cast<unsigned char *>(g_fixture.image.data() + e.dataOffset);
    state->avail_in = quint32(e.compressedSize);
    state->next_out = reinterpret_cast<unsigned char *>(out);
    state->avail_out = quint32(e.uncompressedSize);
    return isal_inflate_stateless(state) == ISAL_DECOMP_OK && state->avail_out == 0;
}

// The benchmarks compare equal work only if our reader yields the same bytes.
bool crossCheck()
{
    PackageIndex index;
    if (!index.loadPackageEntries(QByteArray::fromStdString(g_fixture.path)))
        return fail("our reader cannot open the package");
    if (index.files().size() != g_fixture.entries.size())
        return fail("our reader lists a different number of entries");
    std::vector<char> buffer;
    for (const Entry &e : g_fixture.entries) {
        buffer.resize(e.uncompressedSize);
        const auto file = index.findFile(QByteArray::fromStdString(e.name).toLower());
        if (!rawInflate(e, buffer.data()) || !file || size_t(file->length) != e.uncompressedSize
            || std::memcmp(file->data, buffer.data(), buffer.size()) != 0)
            return fail("our reader and raw inflate disagree");
    }
    return true;
}

void BM_PackageIndexLoad(benchmark::State &state)
{
    const QByteArray path = QByteArray::fromStdString(g_fixture.path);
    const Usage usage = usageNow();
    for (auto _ : state) {
        auto index = std::make_unique<PackageIndex>();
        if (!index->loadPackageEntries(path) || index->files().size() != g_fixture.entries.size()) {
            state.SkipWithError("loadPackageEntries failed");
            break;
        }
        benchmark::DoNotOptimize(index->files().begin()->second.constData());
        // Freeing the index is not part of loading it.
        state.PauseTiming();
        index.reset();
        state.ResumeTiming();
    }
    report(state, usage);
}

void BM_RawInflate(benchmark::State &state)
{
    // Output buffers allocated and touched once, outside the timing.
    std::vector<std::vector<char>> outputs;
    for (const Entry &e : g_fixture.entries)
        outputs.emplace_back(e.uncompressedSize, '\1');
    const Usage usage = usageNow();
    for (auto _ : state) {
        for (size_t i = 0; i < g_fixture.entries.size(); ++i) {
            if (!rawInflate(g_fixture.entries[i], outputs[i].data())) {
                state.SkipWithError("inflate failed");
                return;
            }
        }
        benchmark::ClobberMemory();
    }
    report(state, usage);
}

// The same baseline with the two whole-buffer decoders Debian ships, on one
// thread: the reader's choice between them rests on these figures.
void BM_RawLibdeflate(benchmark::State &state)
{
    std::vector<std::vector<char>> outputs;
    for (const Entry &e : g_fixture.entries)
        outputs.emplace_back(e.uncompressedSize, '\1');
    libdeflate_decompressor *d = libdeflate_alloc_decompressor();
    const Usage usage = usageNow();
    for (auto _ : state) {
        for (size_t i = 0; i < g_fixture.entries.size(); ++i) {
            if (!libdeflateInflate(d, g_fixture.entries[i], outputs[i].data())) {
                state.SkipWithError("libdeflate failed");
                break;
            }
        }
        benchmark::ClobberMemory();
    }
    libdeflate_free_decompressor(d);
    report(state, usage);
}

void BM_RawIsal(benchmark::State &state)
{
    std::vector<std::vector<char>> outputs;
    for (const Entry &e : g_fixture.entries)
        outputs.emplace_back(e.uncompressedSize, '\1');
    auto inflater = std::make_unique<inflate_state>();
    const Usage usage = usageNow();
    for (auto _ : state) {
        for (size_t i = 0; i < g_fixture.entries.size(); ++i) {
            if (!isalInflate(inflater.get(), g_fixture.entries[i], outputs[i].data())) {
                state.SkipWithError("ISA-L inflate failed");
                break;
            }
        }
        benchmark::ClobberMemory();
    }
    report(state, usage);
}

// The next two split the gap between the two above: our reader's extraction
// into buffers that already exist, and raw inflate into buffers allocated the
// way loadPackageEntries allocates them.
void BM_ExtractPreallocated(benchmark::State &state)
{
    const QByteArray path = QByteArray::fromStdString(g_fixture.path);
    std::vector<std::vector<char>> outputs;
    for (const Entry &e : g_fixture.entries)
        outputs.emplace_back(e.uncompressedSize, '\1');
    const Usage usage = usageNow();
    for (auto _ : state) {
        PackageArchivePtr archive(openArchive(path));
        PackageEntryInfo info;
        bool ok = archive && entryInfo(archive.get(), -1, &info) == PackageOk
            && size_t(info.index) == outputs.size();
        for (int i = 0; ok && i < int(outputs.size()); ++i) {
            std::vector<char> &out = outputs[size_t(i)];
            ok = entryInfo(archive.get(), i, &info) == PackageOk && size_t(info.uncompressedSize) == out.size()
                && extractToMemory(archive.get(), i, out.data(), qint64(out.size())) == PackageOk;
        }
        if (!ok) {
            state.SkipWithError("extraction failed");
            break;
        }
        benchmark::ClobberMemory();
    }
    report(state, usage);
}

void BM_RawInflateFreshBuffers(benchmark::State &state)
{
    const Usage usage = usageNow();
    for (auto _ : state) {
        std::vector<QByteArray> outputs;
        outputs.reserve(g_fixture.entries.size());
        for (const Entry &e : g_fixture.entries) {
            outputs.emplace_back(int(e.uncompressedSize), '\0');
            if (!rawInflate(e, outputs.back().data())) {
                state.SkipWithError("inflate failed");
                return;
            }
        }
        benchmark::DoNotOptimize(outputs.data());
        state.PauseTiming();
        outputs.clear();
        state.ResumeTiming();
    }
    report(state, usage);
}

void BM_InfoZipUnzip(benchmark::State &state)
{
    const std::string command = "unzip -p '" + g_fixture.path + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("unzip failed (is Info-ZIP unzip installed?)");
            break;
        }
    }
    // The work happens in a child process; only the bytes are reported.
    state.SetBytesProcessed(qint64(state.iterations()) * qint64(g_fixture.totalUncompressed));
}

} // namespace

// Wall time throughout (the load may use a second thread); the CPU column is
// the whole process's.
BENCHMARK(BM_PackageIndexLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RawInflate)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RawLibdeflate)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RawIsal)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_ExtractPreallocated)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_RawInflateFreshBuffers)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_InfoZipUnzip)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir dir;
    if (!dir.isValid())
        return fail("cannot make a temporary folder"), 1;
    g_fixture.path = dir.filePath(QStringLiteral("bench.pkg")).toStdString();
    if (!writePackage(g_fixture.path) || !indexPackage(&g_fixture) || !crossCheck())
        return 1;

    benchmark::AddCustomContext("package_entries", std::to_string(g_fixture.entries.size()));
    benchmark::AddCustomContext("package_uncompressed_bytes", std::to_string(g_fixture.totalUncompressed));
    benchmark::AddCustomContext("package_file_bytes", std::to_string(g_fixture.image.size()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
