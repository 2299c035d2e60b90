#ifndef TAVQ_LISTVIEW_P_H
#define TAVQ_LISTVIEW_P_H

// Not part of the API: the row records, implementation and delegate behind TAVQListView.

#include "tavqlistview.h"

#include "tavqlabel.h"
#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QItemDelegate>
#include <QPointer>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace TAVQtLib {

class TAVQListViewItemDelegate;

// What the view keeps of the rows it drew: where each template control landed
// and, in text-selection mode, the row's label text as the row was first drawn.
// Only rows in the viewport are kept, so that neither the memory nor the cost
// of a scroll step grows with the rows drawn before.
class TAVQRowRecords
{
public:
    // Null for a row not drawn since it was last dropped.
    const TAVQRowHitRects *hitRects(int row) const;
    void setHitRects(int row, const QRect &rowRect, TAVQRowHitRects rects);
    const QString *text(int row) const;
    // The first text of a row stays until the row is dropped.
    void cacheText(int row, const QString &html);

    // Moves the records with the scrolled pixels and forgets the rows that left `viewport`.
    void scroll(int dx, int dy, const QRect &viewport);
    void dropRows(int first, int last);
    // Rows from `first` on: their numbers now name other rows.
    void dropFrom(int first);
    void clear() { m_rows.clear(); }

private:
    struct Row
    {
        QRect rect;
        TAVQRowHitRects controls;
        std::optional<QString> text;
    };

    std::map<int, Row> m_rows;
};

// Look, row sizes, template, delegate and per-row records of a list view.
class TAVQListViewImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQListViewImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    // Rows are drawn by the delegate and the background by the viewport filter.
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // Drops the records of the rows each change of `model` moves or alters.
    void followModel(QAbstractItemModel *old, QAbstractItemModel *model);

    // The delegate that paints the rows through the template; the view owns it.
    TAVQListViewItemDelegate *delegate() const { return m_delegate; }
    void setDelegate(TAVQListViewItemDelegate *delegate) { m_delegate = delegate; }
    // A null template is ignored; the template is hidden and its controls collected.
    void setItemTemplate(QWidget *itemTemplate);
    QWidget *itemTemplate() const { return m_itemTemplate; }
    UpdateItemCallback updateItemCallback() const { return m_updateItemCallback; }
    void setUpdateItemCallback(UpdateItemCallback callback) { m_updateItemCallback = callback; }
    ItemSizeCallback itemSizeCallback() const { return m_itemSizeCallback; }
    void setItemSizeCallback(ItemSizeCallback callback) { m_itemSizeCallback = callback; }
    // Row extents as set; 0 means 20.
    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height) { m_itemHeight = height; }
    int itemWidth() const { return m_itemWidth; }
    void setItemWidth(int width) { m_itemWidth = width; }
    bool isTextSelectable() const { return m_textSelectable; }
    void setTextSelectable(bool on) { m_textSelectable = on; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    // States 0 to 3; any other state means 0.
    const TAVQBoxStyle &itemStyle(int state) const { return m_itemStyles[stateSlot(state)]; }
    void setItemStyle(int state, const TAVQBoxStyle &style) { m_itemStyles[stateSlot(state)] = style; }
    TAVQRowRecords &records() { return m_records; }
    const TAVQRowRecords &records() const { return m_records; }

    // Gives the hover to the row under a pointer resting over the viewport.
    void hoverUnderPointer();

private:
    friend class TAVQListViewItemDelegate;

    TAVQListView *view() const;
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &element);
    void loadScrollBars(const Json::Value &element);

    bool m_textSelectable = false;
    int m_itemHeight = 20;
    int m_itemWidth = 20;
    QPointer<QWidget> m_itemTemplate;
    TAVQBoxStyle m_backgroundStyle;
    std::array<TAVQBoxStyle, 4> m_itemStyles;
    ItemSizeCallback m_itemSizeCallback = nullptr;
    UpdateItemCallback m_updateItemCallback = nullptr;
    TAVQRowRecords m_records;
    TAVQListViewItemDelegate *m_delegate = nullptr;
};

// A row and a place in the text of its selectable label.
struct TAVQRowTextPosition
{
    // The model row, -1 for none.
    int row = -1;
    // The position in that row's text.
    TAVQTextPosition position;
};

// Draws every row through the one hidden template and hit-tests presses
// against the rectangles recorded while drawing.
class TAVQListViewItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Paints rows through the template of `impl`.
    TAVQListViewItemDelegate(TAVQListViewImpl *impl, QObject *parent);

    // Paints the row from the control's item styles.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The row size the control lays out with.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Qt's handling, then a press on a template control of the row emits pressCtrl().
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    // Collects the template's control implementations, the template first.
    void setTemplateControls(QWidget *itemTemplate);
    int templateControlCount() const { return int(m_templateControls.size()); }
    TAVQRowTextPosition selectionAnchor() const { return m_selAnchor; }
    TAVQRowTextPosition selectionFocus() const { return m_selFocus; }
    void stopSelecting() { m_selecting = false; }

private:
    struct Hit
    {
        TAVQControlBaseImpl *control = nullptr;
        QRect rect;
    };

    TAVQListView *view() const;
    void collectControls(QObject *object);
    void selectRowText(TAVQLabelEx *label, int row) const;
    Hit hitAt(int row, const QPoint &point) const;
    TAVQLabelEx *loadRowText(const Hit &hit, int row) const;
    bool mousePress(QMouseEvent *event, const QStyleOptionViewItem &option, const QModelIndex &index);
    void mouseMove(QMouseEvent *event, const QStyleOptionViewItem &option, const QModelIndex &index);

    QWidget *m_hoveredControl = nullptr;
    TAVQListViewImpl *m_impl;
    std::vector<QPointer<TAVQControlBaseImpl>> m_templateControls;
    TAVQRowTextPosition m_selAnchor;
    TAVQRowTextPosition m_selFocus;
    bool m_selecting = false;
    bool m_iBeamShown = false;
};

} // namespace TAVQtLib

#endif
