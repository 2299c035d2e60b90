#include "core/tavqruntime.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TAVQtLib::OpenPackage(QStringLiteral("./ZadEzavuz.data"));
    // The windows of the demonstration come with the runtime core.
    return 0;
}
