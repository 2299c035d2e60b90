// Shows PAGE of the resource package PACKAGE; with PICTURE, saves it there instead.
//   hello PACKAGE PAGE [PICTURE]
#include <TAVQtLib/TAVQtLib.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    TAVQtLib::UseDeviceIndependentPixels();
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    TAVQtLib::InitRuntime();
    TAVQtLib::TAVQWindow window;
    if (!TAVQtLib::OpenPackage(QString::fromLocal8Bit(argv[1]))
        || !TAVQtLib::LoadPage(&window, QString::fromLocal8Bit(argv[2])))
        return 1;
    window.show();
    if (argc > 3)
        return window.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    return app.exec();
}
