#ifndef TAVQ_ELEMENTINFO_H
#define TAVQ_ELEMENTINFO_H

#include <QRect>
#include <QString>
#include <QVector>

class QWidget;

namespace TAVQtLib {
namespace Preview {

class PreviewPage;

// One entry of an element's style list: the slot and the style it names.
struct SlotStyle
{
    int slot = 0;
    QString style;
    // Which tables know the name; a slot reads one kind only.
    bool box = false;
    bool font = false;
};

// Where a control of the page comes from.
struct ElementAnswer
{
    QWidget *control = nullptr;   // the control answered for; null: none
    QString name;
    QString type;                 // the control's type name
    QRect geometry;               // in its parent, as laid out
    QString layout;               // the layout record, as text
    QVector<SlotStyle> styles;    // in the element's order
    QString json;                 // the element's text; empty when unknown
    int line = 0;                 // where that text starts; 0 when unknown
};

// Answers "where does this come from?" for widgets of a built page.
class ElementInfo
{
public:
    explicit ElementInfo(const PreviewPage &page);

    // The answer for the control that `widget` is or belongs to.
    ElementAnswer answerFor(QWidget *widget) const;
    // The answer as the panel shows it; the element's text only when asked for.
    static QString describe(const ElementAnswer &answer, bool withJson);

private:
    const PreviewPage &m_page;
};

// The layout record of a control, as "kind: field value, ...".
QString layoutText(QWidget *control);

} // namespace Preview
} // namespace TAVQtLib

#endif
