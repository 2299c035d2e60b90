#ifndef TAVQ_DESIGNERHOST_H
#define TAVQ_DESIGNERHOST_H

#include <QByteArray>
#include <QString>

// The runtime recognises the designer host by its executable's path, so a test
// checks designer-only behaviour by running a copy of itself from a folder
// named like the designer.
namespace DesignerHost {

struct Run
{
    int exitCode = -1;
    QByteArray output;  // standard output, or why the copy could not run
};

// Runs the test function `function` of this test program from such a copy.
Run runCopy(const QString &function);

} // namespace DesignerHost

#endif
