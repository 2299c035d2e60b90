// Registers the gauge for pages and shows PAGE of PACKAGE, whose elements may
// now be of type "gauge"; with PICTURE, saves the window there instead.
//   gauge PACKAGE PAGE [PICTURE]
#include "gauge.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    TAVQtLib::UseDeviceIndependentPixels();
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    //! [register]
    TAVQtLib::InitRuntime();
    // After InitRuntime(), which registers the built-in types.
    TAVQtLib::RegisterControlType("gauge", [] () -> QWidget * { return new Gauge; }, true);
    //! [register]

    TAVQtLib::TAVQWindow window;
    if (!TAVQtLib::OpenPackage(QString::fromLocal8Bit(argv[1]))
        || !TAVQtLib::LoadPage(&window, QString::fromLocal8Bit(argv[2])))
        return 1;
    // Controls of one's own are found like any other.
    if (auto *gauge = window.findChild<Gauge *>(QStringLiteral("fuel")))
        QObject::connect(gauge, &Gauge::valueChanged, &window, [](int value) { qInfo("fuel %d", value); });
    window.show();
    if (argc > 3)
        return window.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    return app.exec();
}
