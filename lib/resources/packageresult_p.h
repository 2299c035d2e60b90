#ifndef TAVQ_PACKAGERESULT_H
#define TAVQ_PACKAGERESULT_H

#include "tavqtlib_export.h"

#include <QString>

namespace TAVQtLib {

// Result codes of the package reader; every operation returns one and also
// records it as the reader's last result.
enum PackageResult : quint32 {
    PackageOk = 0x00000000,
    PackageNoDuplicateHandle = 0x00000100,
    PackageNoFile = 0x00000200,
    PackageNoAlloc = 0x00000300,
    PackageWriteError = 0x00000400,
    PackageNotFound = 0x00000500,
    PackageMoreData = 0x00000600,
    PackageCorrupt = 0x00000700,
    PackageReadError = 0x00000800,
    PackagePassword = 0x00001000,
    PackageFaultyArguments = 0x00010000,
    PackageNotMemory = 0x00020000,
    PackageMemorySize = 0x00030000,
    PackagePreviousError = 0x00040000,
    PackageEnded = 0x00050000,
    PackageMisSized = 0x00060000,
    PackagePartiallyUnzipped = 0x00070000,
    PackageMixedModes = 0x00080000,
    PackageNotInitialised = 0x01000000,
    PackageSeekError = 0x02000000,
    PackageNoChange = 0x04000000,
    PackageFlateError = 0x05000000
};

// Records `result` as the reader's last result and returns it.
PackageResult setLastPackageResult(PackageResult result);
// The result of the reader's last operation.
PackageResult lastPackageResult();
// Copies the message of `code` (1: the last result) into `text`, at most
// capacity - 1 characters and a NUL; returns the message's full length.
int resultMessage(quint32 code, char *text, int capacity);
QString resultMessage(quint32 code);

} // namespace TAVQtLib

#endif
