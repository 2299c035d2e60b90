#ifndef TAVQ_ELEMENTWALK_H
#define TAVQ_ELEMENTWALK_H

#include "tavqtlib_export.h"

#include <QByteArray>
#include <QtGlobal>

#include <json/value.h>

class QWidget;

namespace TAVQtLib {

// Why an element made no control.
enum class TAVQElementSkip {
    None,            // it made its control
    TooDeep,         // nested deeper than Limits::MaxElementDepth
    OverBudget,      // the page had met Limits::MaxPageElements elements before it
    OverChildCap,    // past the first Limits::MaxChildElements of its list
    TypeNotString,   // "type" is missing or no JSON string
    ScrollBar,       // "qtscrollbar": a scrolling parent reads it itself
    UnknownType,     // no control of that type is registered (or its creator made none)
};

// One element as the walk meets it. Valid only during the observer's call.
struct TAVQWalkedElement {
    const Json::Value *element = nullptr;   // in the page document
    const Json::Value *parent = nullptr;    // whose "child" list holds it; null at the top
    int depth = 0;                          // 0 for the list walked
    int index = 0;                          // its place in that list
    // Its "type" when that is a JSON string, else null.
    const QByteArray *type = nullptr;
    // The control it made; null when it made none, or when the walk only checks.
    QWidget *widget = nullptr;
    TAVQElementSkip skip = TAVQElementSkip::None;

    // Where the element's text starts and ends in the document, in bytes.
    qint64 offsetStart() const { return qint64(element->getOffsetStart()); }
    qint64 offsetLimit() const { return qint64(element->getOffsetLimit()); }
};

// Told of every element a walk meets, in document order, each before its
// children: after its control read its element, before OnChildrenLoaded().
class TAVQElementObserver
{
public:
    virtual ~TAVQElementObserver();
    // An element was met; see TAVQWalkedElement for what it made.
    virtual void elementMet(const TAVQWalkedElement &met) = 0;
};

// Walks a page's elements by the page builder's rules: at most
// Limits::MaxPageElements elements counted as met, Limits::MaxChildElements
// of each list, Limits::MaxElementDepth levels, "type" a JSON string,
// "qtscrollbar" elements left to their parent, the children of elements that
// made a control only. The page builder builds through it, so tools that
// watch a walk see exactly what the runtime does.
class TAVQElementWalk
{
public:
    // Build makes the controls, as LoadPage() does. Check makes none: an
    // element of a registered type counts as made, without a widget.
    enum class Mode { Build, Check };

    // `observer` (may be null, not owned) is told of every element met.
    explicit TAVQElementWalk(Mode mode = Mode::Build, TAVQElementObserver *observer = nullptr);

    // The page's "elements" under `parent` (null only when checking): each
    // top-level control laid out once made, then all chained in reading
    // order. Returns the control of the last top-level element, or null.
    QWidget *walkPage(const Json::Value &page, QWidget *parent);
    // One element and its children under `parent`, with a budget of its own.
    QWidget *walkElement(const Json::Value &element, QWidget *parent);

private:
    QWidget *visit(TAVQWalkedElement met, QWidget *parentWidget);
    void visitChildren(const Json::Value &element, QWidget *widget, int depth);
    void tellOverCap(const Json::Value &list, const Json::Value *parent, int depth) const;
    bool make(const QByteArray &type, const Json::Value &element, QWidget *parent, QWidget **widget) const;
    QWidget *skip(TAVQWalkedElement *met, TAVQElementSkip reason) const;
    void tell(const TAVQWalkedElement &met) const;

    Mode m_mode;
    TAVQElementObserver *m_observer;
    int m_elementsLeft = 0;
};

} // namespace TAVQtLib

#endif
