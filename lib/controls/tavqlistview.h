#ifndef TAVQ_LISTVIEW_H
#define TAVQ_LISTVIEW_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"
#include "tavqlabel.h"

#include <QItemDelegate>
#include <QListView>
#include <QPointer>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace TAVQtLib {

class TAVQListView;

// Binds one row's data into the template before the row is drawn.
using UpdateItemCallback = void (*)(QAbstractItemView *view, QWidget *itemTemplate, const QModelIndex &index);
// Gives the size of one row.
using ItemSizeCallback = QSize (*)(QAbstractItemView *view, const QStyleOptionViewItem &option,
                                   const QModelIndex &index);

// Where each template control was drawn in one row, in viewport coordinates.
using TAVQRowHitRects = std::map<TAVQControlBaseImpl *, QRect>;

// What the view keeps of the rows it drew: where each template control landed
// and, in text-selection mode, the row's label text as the row was first drawn.
// Only rows in the viewport are kept, so that neither the memory nor the cost
// of a scroll step grows with the rows drawn before.
class TAVQTLIB_EXPORT TAVQRowRecords
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

// Look, row sizes and per-row records of a list view.
class TAVQTLIB_EXPORT TAVQListViewImpl : public TAVQControlBaseImpl
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

private:
    friend class TAVQListView;
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
};

// A row and a place in the text of its selectable label.
struct TAVQTLIB_EXPORT TAVQRowTextPosition
{
    // The model row, -1 for none.
    int row = -1;
    // The position in that row's text.
    TAVQTextPosition position;
};

// Draws every row through the one hidden template and hit-tests presses
// against the rectangles recorded while drawing.
class TAVQTLIB_EXPORT TAVQListViewItemDelegate : public QItemDelegate
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

// A list over an item model whose rows are drawn from one template container,
// so that no widget is created per row.
class TAVQTLIB_EXPORT TAVQListView : public TAVQControl<QListView, TAVQListViewImpl>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQListView(QWidget *parent = nullptr);
    ~TAVQListView() override;

    QString GetTypeName() override;

    // Sets the model; the rows' records follow the new model.
    void setModel(QAbstractItemModel *model) override;

    // A null template is ignored; the template is hidden.
    void setItemTemplate(QWidget *itemTemplate);
    QWidget *itemTemplate() const { return m_impl->m_itemTemplate; }
    void setUpdateItemCallback(UpdateItemCallback callback) { m_impl->m_updateItemCallback = callback; }
    UpdateItemCallback updateItemCallback() const { return m_impl->m_updateItemCallback; }
    void setItemSizeCallback(ItemSizeCallback callback) { m_impl->m_itemSizeCallback = callback; }
    ItemSizeCallback itemSizeCallback() const { return m_impl->m_itemSizeCallback; }
    // No relayout follows; 0 means 20.
    void setItemHeight(int height) { m_impl->m_itemHeight = height; }
    int itemHeight() const { return m_impl->m_itemHeight; }
    void setItemWidth(int width) { m_impl->m_itemWidth = width; }
    int itemWidth() const { return m_impl->m_itemWidth; }
    void setTextSelectable(bool on) { m_impl->m_textSelectable = on; }
    bool isTextSelectable() const { return m_impl->m_textSelectable; }
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->m_backgroundStyle; }
    // States 0 normal, 1 mouse over, 2 selected, 3 kept only; others mean 0.
    void setItemStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &itemStyle(int state) const;

    // Twenty empty rows, so that the designer shows the template.
    void fillPreviewRows();

    // The delegate that paints the rows through the template.
    TAVQListViewItemDelegate *itemDelegateImpl() const { return m_delegate; }
    // Where each template control was last drawn in `row`; empty when not drawn.
    TAVQRowHitRects rowHitRects(int row) const;

    // Sets the bar's button length style sheet, replacing its sheet.
    void setScrollBarButtonLength(bool horizontal, int px);
    // Thickness sheet on both bars; asked for the horizontal bar it does nothing.
    void setScrollBarThickness(bool horizontal, int px);

signals:
    // Emitted when a control of a row's template is pressed, with the row's index.
    void pressCtrl(QWidget *control, const QModelIndex index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // The view has no pressed or hover look of its own; rows carry it.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(TAVQEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

protected slots:
    void reset() override;

private:
    // Gives the hover to the row under a pointer resting over the viewport.
    void hoverUnderPointer();

    TAVQListViewItemDelegate *m_delegate;
};

} // namespace TAVQtLib

#endif
