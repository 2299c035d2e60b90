#include "tavdarir.h"
#include "tavdarirlogin.h"

#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "core/tavqruntime.h"

#include <QApplication>

int main(int argc, char **argv)
{
    TAVQtLib::UseDeviceIndependentPixels();
    QApplication app(argc, argv);
    TAVQtLib::InitRuntime();
    // Without the package, pages and images are still looked for on disk.
    TAVQtLib::OpenPackage(QStringLiteral("./ZadEzavuz.data"));

    TAVDaRIRLogin login(nullptr);
    login.show();
    app.exec();

    // The shop opens whether or not the user logged in.
    TAVDaRIR mainWindow(nullptr);
    mainWindow.show();
    const int result = app.exec();

    TAVQtLib::ReleaseRuntime();
    return result;
}
