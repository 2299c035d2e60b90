#include "tavqpagebuilder.h"

#include "tavqcontrolbase.h"
#include "base/tavqjson.h"
#include "base/tavqkeyreader.h"
#include "base/tavqkeytable.h"
#include "core/tavqelementtables.h"
#include "tavqregistry.h"
#include "tavqtaborder.h"
#include "tavqwindow.h"
#include "resources/tavqresourcemanager.h"

#include <QFile>
#include <QWidget>

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

QByteArray readDiskPage(const QString &fileName)
{
    QFile file(TAVQResourceManager::instance().folderPath() + fileName);
    if (!file.exists())
        file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > Limits::MaxDocumentBytes)
        return QByteArray();
    return file.read(Limits::MaxDocumentBytes + 1);
}

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

// What one page may still build: elements are counted as they are met.
struct BuildBudget
{
    int elementsLeft = Limits::MaxPageElements;
};

QWidget *createElement(const Json::Value &element, QWidget *parent, int depth, BuildBudget *budget)
{
    if (depth > MaxElementDepth || budget->elementsLeft <= 0)
        return nullptr;
    --budget->elementsLeft;
    // A type that is no JSON string names no control (not even as asString's text).
    const Json::Value *typeValue = member(element, "type");
    const auto type = typeValue ? stringBytes(*typeValue) : std::nullopt;
    if (!type || *type == "qtscrollbar")
        return nullptr;
    QWidget *widget = CreateControl(type->constData(), element, parent);
    if (!widget)
        return nullptr;
    const Json::Value *children = member(element, "child");
    if (children && children->isArray()) {
        const Json::ArrayIndex count = std::min(children->size(), Json::ArrayIndex(Limits::MaxChildElements));
        for (Json::ArrayIndex i = 0; i < count; ++i)
            createElement((*children)[i], widget, depth + 1, budget);
    }
    if (ITAVQControlBase *control = controlInterface(widget))
        control->OnChildrenLoaded();
    return widget;
}

} // namespace

bool ReadPage(const QString &fileName, Json::Value *root)
{
    const char *data = nullptr;
    quint32 length = 0;
    QByteArray disk;
    if (!TAVQResourceManager::instance().fileData(fileName, &data, &length)) {
        disk = readDiskPage(fileName);
        data = disk.constData();
        length = quint32(disk.size());
    }
    if (length == 0)
        return false;
    return parseDocument(data, data + length, root);
}

QWidget *LoadPage(QWidget *host, const QString &fileName)
{
    Json::Value root;
    if (!ReadPage(fileName, &root))
        return nullptr;
    if (TAVQWindow *window = qobject_cast<TAVQWindow *>(host))
        applyWindowKeys(window, root);
    return BuildElements(root, host);
}

QWidget *BuildElements(const Json::Value &page, QWidget *parent)
{
    const Json::Value *elements = member(page, "elements");
    if (!parent || !elements || !elements->isArray() || elements->size() == 0)
        return nullptr;
    QWidget *last = nullptr;
    QWidgetList built;
    BuildBudget budget;
    const Json::ArrayIndex count = std::min(elements->size(), Json::ArrayIndex(Limits::MaxChildElements));
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        last = createElement((*elements)[i], parent, 0, &budget);
        ITAVQControlBase *control = controlInterface(last);
        if (TAVQControlBase *base = control ? control->GetControlBase() : nullptr)
            base->ApplyLayout();
        built << last;
    }
    // Laid out now, so the positions tell the reading order.
    SetReadingTabOrder(built);
    return last;
}

QWidget *CreateElement(const Json::Value &element, QWidget *parent)
{
    BuildBudget budget;
    return createElement(element, parent, 0, &budget);
}

} // namespace TAVQtLib
