#include "tavqpagebuilder.h"

#include "tavqpagebuilder_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqelementtables_p.h"
#include "tavqelementwalk_p.h"
#include "tavqwindow.h"
#include "resources/tavqpagesource_p.h"

#include <algorithm>

#include <json/value.h>

namespace TAVQtLib {

using namespace JsonRead;

namespace {

constexpr TAVQKey WindowKeys[] = {
    {"w", TAVQValueKind::Int},     {"h", TAVQValueKind::Int},      {"trans", TAVQValueKind::Bool},
    {"drag", TAVQValueKind::Bool}, {"resize", TAVQValueKind::Bool}, {"minH", TAVQValueKind::Int},
    {"minW", TAVQValueKind::Int},  {"onlyDragCaption", TAVQValueKind::Bool},
};

} // namespace

const TAVQControlTable WindowAttributes{WindowKeys, {}};

namespace {

// A window key's size, cut to what a window's buffers may take.
int windowExtent(int value)
{
    return std::min(value, Limits::MaxWindowExtent);
}

void applyWindowKeys(TAVQWindow *window, const Json::Value &root)
{
    const TAVQKeyReader page(WindowAttributes.keys, root);
    if (const auto w = page.optionalInt("w")) {
        const QRect g = window->geometry();
        window->setGeometry(g.left(), g.top(), windowExtent(*w), g.height());
    }
    if (const auto h = page.optionalInt("h")) {
        const QRect g = window->geometry();
        window->setGeometry(g.left(), g.top(), g.width(), windowExtent(*h));
    }
    if (page.optionalBool("trans").value_or(false)) {
        window->setWindowFlag(Qt::FramelessWindowHint, true);
        window->setAttribute(Qt::WA_TranslucentBackground, true);
    }
    if (const auto drag = page.optionalBool("drag"))
        window->setDraggable(*drag);
    if (const auto resize = page.optionalBool("resize"))
        window->setResizable(*resize);
    if (const auto minH = page.optionalInt("minH"))
        window->setMinResizeHeight(windowExtent(*minH));
    if (const auto minW = page.optionalInt("minW"))
        window->setMinResizeWidth(windowExtent(*minW));
    if (const auto only = page.optionalBool("onlyDragCaption"))
        window->setOnlyDragCaption(*only);
}

} // namespace

bool ReadPage(const QString &fileName, Json::Value *root)
{
    const TAVQSourceFile page = TAVQPageSource::runtime().document(fileName);
    if (page.bytes.isEmpty())
        return false;
    return parseDocument(page.bytes.constData(), page.bytes.constData() + page.bytes.size(), root);
}

QWidget *LoadPage(QWidget *host, const QString &fileName)
{
    Json::Value root;
    if (!ReadPage(fileName, &root))
        return nullptr;
    return BuildPage(host, root, nullptr);
}

QWidget *BuildPage(QWidget *host, const Json::Value &page, TAVQElementObserver *observer)
{
    if (TAVQWindow *window = qobject_cast<TAVQWindow *>(host))
        applyWindowKeys(window, page);
    return TAVQElementWalk(TAVQElementWalk::Mode::Build, observer).walkPage(page, host);
}

QWidget *BuildElements(const Json::Value &page, QWidget *parent)
{
    return TAVQElementWalk().walkPage(page, parent);
}

QWidget *CreateElement(const Json::Value &element, QWidget *parent)
{
    return TAVQElementWalk().walkElement(element, parent);
}

} // namespace TAVQtLib
