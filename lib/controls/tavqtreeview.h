#ifndef TAVQ_TREEVIEW_H
#define TAVQ_TREEVIEW_H

#include "core/tavqcontrol.h"
#include "tavqlist.h"

#include <QHeaderView>
#include <QItemDelegate>
#include <QTreeView>

#include <array>

namespace TAVQtLib {

class TAVQScrollBar;
class TAVQTreeView;

// Looks and row height of a tree: background and cells by look (0 normal,
// 1 mouse over, 2 selected, 3 kept), header looks stored only.
class TAVQTreeViewImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQTreeViewImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    TAVQRowLooks &looks() { return m_looks; }
    const TAVQRowLooks &looks() const { return m_looks; }
    // Looks 0 to 3, or 4 for all four; other looks change nothing and read as 0.
    void setHeaderStyle(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &headerStyle(int look) const { return m_headerStyles[index(look)]; }
    void setHeaderFontStyle(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &headerFontStyle(int look) const { return m_headerFontStyles[index(look)]; }

    void setItemHeight(int height) { m_itemHeight = height; }
    int itemHeight() const { return m_itemHeight; }
    // The height rows are laid out with: 0 means 20.
    int rowHeight() const;

    int scrollBarThickness() const { return m_scrollBarThickness; }
    void setScrollBarThickness(int thickness) { m_scrollBarThickness = thickness; }
    int scrollBarButtonLength() const { return m_scrollBarButtonLength; }
    void setScrollBarButtonLength(int length) { m_scrollBarButtonLength = length; }

private:
    static size_t index(int look) { return look > 0 && look < 4 ? size_t(look) : 0; }
    TAVQTreeView *view() const;
    void loadStyles(const Json::Value &element);

    int m_scrollBarThickness = 23;
    int m_scrollBarButtonLength = 23;
    int m_itemHeight = 0;
    TAVQRowLooks m_looks;
    std::array<TAVQBoxStyle, 4> m_headerStyles;
    std::array<TAVQFontStyle, 4> m_headerFontStyles;
};

// Paints cells from the tree's looks; selected wins over mouse over. Check
// boxes and decorations of the model are left undrawn.
class TAVQTreeViewItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    TAVQTreeViewItemDelegate(TAVQTreeViewImpl *impl, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static int lookOf(QStyle::State state);

private:
    TAVQTreeViewImpl *m_impl;
};

// The tree's header, kept hidden; shown it still paints nothing.
class TAVQTreeHeader : public QHeaderView
{
    Q_OBJECT

public:
    TAVQTreeHeader(TAVQTreeViewImpl *impl, Qt::Orientation orientation, QWidget *parent);

    TAVQTreeViewImpl *impl() const { return m_impl; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTreeViewImpl *m_impl;
};

// The corner between the bars, painted with the background style.
class TAVQTreeConerWidget : public QWidget
{
    Q_OBJECT

public:
    TAVQTreeConerWidget(TAVQTreeViewImpl *impl, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTreeViewImpl *m_impl;
};

// The area under the rows, painted like the corner.
class TAVQTreeViewport : public TAVQTreeConerWidget
{
    Q_OBJECT

public:
    using TAVQTreeConerWidget::TAVQTreeConerWidget;
};

// A tree over an ordinary item model whose rows are drawn from styles.
class TAVQTreeView : public TAVQControl<QTreeView, TAVQTreeViewImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQTreeView(QWidget *parent = nullptr);

    QString GetTypeName() override;

    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->looks().setBackground(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->looks().background(); }
    void setItemStyle(int look, const TAVQBoxStyle &style) { m_impl->looks().setBox(look, style); }
    const TAVQBoxStyle &itemStyle(int look) const { return m_impl->looks().box(look); }
    void setItemFontStyle(int look, const TAVQFontStyle &style) { m_impl->looks().setFont(look, style); }
    const TAVQFontStyle &itemFontStyle(int look) const { return m_impl->looks().font(look); }
    void setHeaderStyle(int look, const TAVQBoxStyle &style) { m_impl->setHeaderStyle(look, style); }
    const TAVQBoxStyle &headerStyle(int look) const { return m_impl->headerStyle(look); }
    void setHeaderFontStyle(int look, const TAVQFontStyle &style) { m_impl->setHeaderFontStyle(look, style); }
    const TAVQFontStyle &headerFontStyle(int look) const { return m_impl->headerFontStyle(look); }
    // No relayout follows; 0 means 20.
    void setItemHeight(int height) { m_impl->setItemHeight(height); }
    int itemHeight() const { return m_impl->itemHeight(); }

    void setScrollBarStyle(bool horizontal, const TAVQBoxStyle &style);
    void setScrollBarArrowIcon(bool horizontal, bool upArrow, const QString &image);
    void setScrollBarArrowIconPlacement(bool horizontal, bool upArrow, const TAVQImagePlacement &placement);
    void setScrollBarThumbIcon(bool horizontal, const QString &image);
    void setScrollBarArrowStyle(bool horizontal, bool upArrow, int state, const TAVQBoxStyle &style);
    void setScrollBarThumbStyle(bool horizontal, int state, const TAVQBoxStyle &style);
    // Stored only; `horizontal` is ignored.
    void setScrollBarButtonLength(bool horizontal, int length);
    // Stores the thickness and sets it on both bars; `horizontal` is ignored.
    void setScrollBarThickness(bool horizontal, int thickness);

    TAVQTreeHeader *treeHeader() const { return m_header; }
    TAVQScrollBar *scrollBar(bool horizontal) const { return horizontal ? m_hBar : m_vBar; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTreeHeader *m_header;
    TAVQScrollBar *m_hBar;
    TAVQScrollBar *m_vBar;
    TAVQTreeViewItemDelegate *m_delegate;
    TAVQTreeConerWidget *m_corner;
    TAVQTreeViewport *m_viewport;
};

} // namespace TAVQtLib

#endif
