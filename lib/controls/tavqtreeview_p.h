#ifndef TAVQ_TREEVIEW_P_H
#define TAVQ_TREEVIEW_P_H

// Not part of the API: the implementation, delegate, header and panes behind TAVQTreeView.

#include "tavqtreeview.h"

#include "tavqitemviewparts_p.h"
#include "tavqlist_p.h"
#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QHeaderView>
#include <QItemDelegate>
#include <QPointer>

namespace TAVQtLib {

// Looks and row height of a tree: background and cells by look (0 normal,
// 1 mouse over, 2 selected, 3 kept), header looks stored only.
class TAVQTreeViewImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQTreeViewImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // The row looks: background, and box and font per look.
    TAVQRowLooks &looks() { return m_looks; }
    const TAVQRowLooks &looks() const { return m_looks; }
    // Stored only: the header paints nothing.
    TAVQHeaderLooks &headerLooks() { return m_headerLooks; }
    const TAVQHeaderLooks &headerLooks() const { return m_headerLooks; }

    // The height of a row in pixels.
    void setItemHeight(int height) { m_itemHeight = height; }
    int itemHeight() const { return m_itemHeight; }
    // The height rows are laid out with: 0 means 20.
    int rowHeight() const;

    // The thickness of the bars, in pixels.
    int scrollBarThickness() const { return m_scrollBarThickness; }
    void setScrollBarThickness(int thickness) { m_scrollBarThickness = thickness; }
    // The length of the bars' arrow buttons, in pixels.
    int scrollBarButtonLength() const { return m_scrollBarButtonLength; }
    void setScrollBarButtonLength(int length) { m_scrollBarButtonLength = length; }

    // The header the view made; null once the application replaced it.
    void setHeader(TAVQTreeHeader *header);
    TAVQTreeHeader *header() const;

private:
    TAVQTreeView *view() const;
    void loadStyles(const Json::Value &element);

    int m_scrollBarThickness = 23;
    int m_scrollBarButtonLength = 23;
    int m_itemHeight = 0;
    TAVQRowLooks m_looks;
    TAVQHeaderLooks m_headerLooks;
    // Guarded: Qt deletes a header the application replaces.
    QPointer<TAVQTreeHeader> m_header;
};

// Paints cells from the tree's looks; selected wins over mouse over. Check
// boxes and decorations of the model are left undrawn.
class TAVQTreeViewItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Paints rows in the looks of `impl`.
    TAVQTreeViewItemDelegate(TAVQTreeViewImpl *impl, QObject *parent);

    // Paints the row from the control's item styles.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The row size the control lays out with.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The row look of a Qt item state: selected, hover or normal.
    static int lookOf(QStyle::State state);

private:
    TAVQTreeViewImpl *m_impl;
};

// The tree's header, kept hidden; shown it still paints nothing.
class TAVQTreeHeader : public QHeaderView
{
    Q_OBJECT

public:
    // A header of the given orientation in the looks of `impl`.
    TAVQTreeHeader(TAVQTreeViewImpl *impl, Qt::Orientation orientation, QWidget *parent);

    // The look of the view the header belongs to.
    TAVQTreeViewImpl *impl() const { return m_impl; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTreeViewImpl *m_impl;
};

// The corner between the bars, painted with the background style.
class TAVQTreeConerWidget : public TAVQBoxPane
{
    Q_OBJECT

public:
    // Paints the view's background box under `parent`.
    TAVQTreeConerWidget(TAVQTreeViewImpl *impl, QWidget *parent);
};

// The area under the rows, painted like the corner.
class TAVQTreeViewport : public TAVQTreeConerWidget
{
    Q_OBJECT

public:
    // The corner widget's constructor.
    using TAVQTreeConerWidget::TAVQTreeConerWidget;
};

} // namespace TAVQtLib

#endif
