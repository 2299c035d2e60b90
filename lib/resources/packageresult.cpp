#include "packageresult_p.h"

#include <algorithm>
#include <cstring>

namespace TAVQtLib {

namespace {

PackageResult s_lastResult = PackageOk;

const char *messageFor(quint32 code)
{
    switch (code) {
    case PackageOk: return "Success";
    case PackageNoDuplicateHandle: return "Culdn't duplicate handle";
    case PackageNoFile: return "Couldn't create/open file";
    case PackageNoAlloc: return "Failed to allocate memory";
    case PackageWriteError: return "Error writing to file";
    case PackageNotFound: return "File not found in the zipfile";
    case PackageMoreData: return "Still more data to unzip";
    case PackageCorrupt: return "Zipfile is corrupt or not a zipfile";
    case PackageReadError: return "Error reading file";
    case PackagePassword: return "Correct password required";
    case PackageFaultyArguments: return "Caller: faulty arguments";
    case PackageNotMemory: return "Caller: can only get memory of a memory zipfile";
    case PackageMemorySize: return "Caller: not enough space allocated for memory zipfile";
    case PackagePreviousError: return "Caller: there was a previous error";
    case PackageEnded: return "Caller: additions to the zip have already been ended";
    case PackageMisSized: return "Zip-bug: the anticipated size turned out wrong";
    case PackagePartiallyUnzipped: return "Caller: the file had already been partially unzipped";
    case PackageMixedModes: return "Caller: mixing creation and opening of zip";
    case PackageNotInitialised: return "Zip-bug: internal initialisation not completed";
    case PackageSeekError: return "Zip-bug: trying to seek the unseekable";
    case PackageNoChange: return "Zip-bug: tried to change mind, but not allowed";
    case PackageFlateError: return "Zip-bug: an internal error during flation";
    default: return "unknown zip result code";
    }
}

} // namespace

PackageResult setLastPackageResult(PackageResult result)
{
    s_lastResult = result;
    return result;
}

PackageResult lastPackageResult()
{
    return s_lastResult;
}

int resultMessage(quint32 code, char *text, int capacity)
{
    const char *message = messageFor(code == 1 ? s_lastResult : code);
    const int length = int(std::strlen(message));
    if (text && capacity > 0) {
        const int n = std::min(length, capacity - 1);
        std::memcpy(text, message, size_t(n));
        text[n] = '\0';
    }
    return length;
}

QString resultMessage(quint32 code)
{
    return QString::fromLatin1(messageFor(code == 1 ? s_lastResult : code));
}

} // namespace TAVQtLib
