#ifndef TAVQ_TREEVIEW_H
#define TAVQ_TREEVIEW_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"
#include "tavqlist.h"

#include <QHeaderView>
#include <QItemDelegate>
#include <QTreeView>

namespace TAVQtLib {

class TAVQTreeView;

// Looks and row height of a tree: background and cells by look (0 normal,
// 1 mouse over, 2 selected, 3 kept), header looks stored only.
class TAVQTLIB_EXPORT TAVQTreeViewImpl : public TAVQControlBaseImpl
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

private:
    TAVQTreeView *view() const;
    void loadStyles(const Json::Value &element);

    int m_scrollBarThickness = 23;
    int m_scrollBarButtonLength = 23;
    int m_itemHeight = 0;
    TAVQRowLooks m_looks;
    TAVQHeaderLooks m_headerLooks;
};

// Paints cells from the tree's looks; selected wins over mouse over. Check
// boxes and decorations of the model are left undrawn.
class TAVQTLIB_EXPORT TAVQTreeViewItemDelegate : public QItemDelegate
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
class TAVQTLIB_EXPORT TAVQTreeHeader : public QHeaderView
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
class TAVQTLIB_EXPORT TAVQTreeConerWidget : public TAVQBoxPane
{
    Q_OBJECT

public:
    // Paints the view's background box under `parent`.
    TAVQTreeConerWidget(TAVQTreeViewImpl *impl, QWidget *parent);
};

// The area under the rows, painted like the corner.
class TAVQTLIB_EXPORT TAVQTreeViewport : public TAVQTreeConerWidget
{
    Q_OBJECT

public:
    // The corner widget's constructor.
    using TAVQTreeConerWidget::TAVQTreeConerWidget;
};

// A tree over an ordinary item model whose rows are drawn from styles.
class TAVQTLIB_EXPORT TAVQTreeView : public TAVQControl<QTreeView, TAVQTreeViewImpl>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQTreeView(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->looks().setBackground(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->looks().background(); }
    // The box of an item, per look (4 sets all four).
    void setItemStyle(int look, const TAVQBoxStyle &style) { m_impl->looks().setBox(look, style); }
    const TAVQBoxStyle &itemStyle(int look) const { return m_impl->looks().box(look); }
    // The font style of an item's text, per look (4 sets all four).
    void setItemFontStyle(int look, const TAVQFontStyle &style) { m_impl->looks().setFont(look, style); }
    const TAVQFontStyle &itemFontStyle(int look) const { return m_impl->looks().font(look); }
    // Looks 0 to 3, or 4 for all four; other looks change nothing and read as 0.
    void setHeaderStyle(int look, const TAVQBoxStyle &style) { m_impl->headerLooks().setBox(look, style); }
    const TAVQBoxStyle &headerStyle(int look) const { return m_impl->headerLooks().box(look); }
    void setHeaderFontStyle(int look, const TAVQFontStyle &style) { m_impl->headerLooks().setFont(look, style); }
    const TAVQFontStyle &headerFontStyle(int look) const { return m_impl->headerLooks().font(look); }
    // No relayout follows; 0 means 20.
    void setItemHeight(int height) { m_impl->setItemHeight(height); }
    int itemHeight() const { return m_impl->itemHeight(); }

    // Stored only; `horizontal` is ignored.
    void setScrollBarButtonLength(bool horizontal, int length);
    // Stores the thickness and sets it on both bars; `horizontal` is ignored.
    void setScrollBarThickness(bool horizontal, int thickness);

    // The header.
    TAVQTreeHeader *treeHeader() const { return m_header; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTreeHeader *m_header;
    TAVQTreeViewItemDelegate *m_delegate;
    TAVQTreeConerWidget *m_corner;
    TAVQTreeViewport *m_viewport;
};

} // namespace TAVQtLib

#endif
