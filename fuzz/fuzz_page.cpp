// Feeds arbitrary bytes to the page builder as a page file next to a small
// style sheet, shows the result briefly and tears it down.

#include "base/tavqlimits.h"
#include "core/tavqpagebuilder.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "core/tavqwindow.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace TAVQtLib;

namespace {

// Box styles ("type" 1) for the page's background, state and scroll-bar slots,
// font styles ("type" 2) for its texts.
const char StyleSheet[] = R"({ "style": [
  { "type": 1, "name": "panel", "drawImg": false, "clr": "ffffffff", "round": 6,
    "border": true, "borderSize": 1, "borderclr": "ffdde3ec" },
  { "type": 1, "name": "button", "drawImg": false, "clr": "ff2f7cf6", "round": 4 },
  { "type": 1, "name": "button.hover", "drawImg": false, "clr": "ff4a90ff", "round": 4 },
  { "type": 1, "name": "sliced", "img": "images/missing.png", "margin": [4, 4, 4, 4],
    "repeatCenter": true },
  { "type": 1, "name": "tiled", "img": "tile.png", "margin": [3, 3, 3, 3], "repeatCenter": true },
  { "type": 1, "name": "empty", "empty": true },
  { "type": 2, "name": "text", "family": "WenQuanYi Micro Hei", "size": 13, "clr": "333d4d" },
  { "type": 2, "name": "upright", "size": 13, "isHor": false, "clr": "333d4d" },
  { "type": 2, "name": "title", "size": 18, "bold": true, "italic": true, "underline": true,
    "clr": "ff1f2a3c" }
] })";

QString g_pagePath;

bool writeFile(const QString &path, const char *data, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data, size) == size;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Lives for the whole run: controls need an application object.
    new QApplication(*argc, *argv);
    InitRuntime();

    // One folder per process, in memory when possible; left behind at exit.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString folder = QStringLiteral("%1/fuzz_page-%2").arg(base).arg(QCoreApplication::applicationPid());
    // A 7x7 picture sliced 3 px from each edge: its centre, tiled, is one pixel.
    QImage tile(7, 7, QImage::Format_ARGB32);
    tile.fill(Qt::darkCyan);
    if (!QDir().mkpath(folder) || !writeFile(folder + QStringLiteral("/style.json"), StyleSheet, sizeof StyleSheet - 1)
        || !tile.save(folder + QStringLiteral("/tile.png")) || !LoadStyleFolder(folder)) {
        qFatal("fuzz_page: cannot set up the style folder %s", qPrintable(folder));
    }
    g_pagePath = folder + QStringLiteral("/page.json");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Beyond this the builder reads nothing.
    if (size > size_t(Limits::MaxDocumentBytes) + 1)
        return 0;
    if (!writeFile(g_pagePath, reinterpret_cast<const char *>(data), qint64(size)))
        std::abort();

    auto *host = new TAVQWindow;
    // The window keys may ask for any size: the builder's bound is what is tested.
    host->resize(640, 480);
    LoadPage(host, QStringLiteral("page.json"));
    host->show();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    delete host;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
