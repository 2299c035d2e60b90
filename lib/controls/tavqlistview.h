#ifndef TAVQ_LISTVIEW_H
#define TAVQ_LISTVIEW_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"

#include <QListView>
#include <QModelIndex>
#include <QRect>
#include <QSize>

#include <map>

class QStyleOptionViewItem;

namespace TAVQtLib {

class TAVQListViewImpl;

/// Binds one row's data into the template before the row is drawn: called
/// with the view, its template and the row's index on every paint of the row.
using UpdateItemCallback = void (*)(QAbstractItemView *view, QWidget *itemTemplate, const QModelIndex &index);
/// Gives the size of one row, in place of the view's item height and width.
using ItemSizeCallback = QSize (*)(QAbstractItemView *view, const QStyleOptionViewItem &option,
                                   const QModelIndex &index);

/// Where each control of the template was drawn in one row, in viewport
/// coordinates, by the control's implementation object (ITAVQControlBase::GetImpl()).
using TAVQRowHitRects = std::map<TAVQControlBaseImpl *, QRect>;

/**
 * \brief A list over an item model whose rows are all drawn from one template
 * container, so that no widget is made per row; page types "qtlistview",
 * "listview" and "templateList".
 *
 * The template is a control, normally a TAVQContainer, with controls in it;
 * the view hides it. For each row the view gives a container template the
 * row's box (setItemStyle(): normal, mouse over or selected), draws it, lets
 * the update callback bind the row's data into the template's controls, lays
 * the template out at the row's size and draws each of its controls whose
 * visible flag (TAVQControl::isVisibleFlag()) is set, the one under the
 * pointer in its hover look. A page makes the element's first container child
 * the template.
 *
 * \code
 * // Binds one product into the row template.
 * void bindProduct(QAbstractItemView *, QWidget *row, const QModelIndex &index)
 * {
 *     row->findChild<TAVQtLib::TAVQLabel *>(QStringLiteral("name"))->setText(index.data().toString());
 * }
 *
 * auto *view = new TAVQtLib::TAVQListView(window);
 * auto *row = new TAVQtLib::TAVQContainer(view);
 * row->resize(240, 40);
 * auto *name = new TAVQtLib::TAVQLabel(row);
 * name->setObjectName(QStringLiteral("name"));
 * name->setGeometry(8, 8, 160, 24);
 * view->setItemHeight(40);
 * view->setItemTemplate(row);
 * view->setUpdateItemCallback(bindProduct);
 * view->setModel(products);
 * QObject::connect(view, &TAVQtLib::TAVQListView::pressCtrl, window,
 *                  [](QWidget *control, const QModelIndex &index) { qDebug() << control << index.row(); });
 * \endcode
 *
 * \par Signals
 * pressCtrl(QWidget *control, const QModelIndex index) when a mouse press lands
 * on a template control in a row; those of QListView too: `pressed()`,
 * `clicked()`, `doubleClicked()`, `activated()`, and the selection model's.
 *
 * \par Repainting
 * None of the setters repaints: call `viewport()->update()` after them.
 * setModel() and fillPreviewRows() reset the view, which repaints. The sizes
 * (setItemHeight(), setItemWidth(), setItemSizeCallback()) change the rows'
 * size at once but their places only at their next layout, as when rows are
 * inserted or removed or the model is reset: until then rows overlap or leave
 * gaps. The scroll-bar setters repaint the bars.
 *
 * A control of the template is one widget for all rows: pressCtrl() hands over
 * that widget (never one of a row), with the row's index. One press on a
 * template button emits both pressCtrl() and, at the release, the view's own
 * `clicked()` for that row: a program connected to both sees the press twice
 * and tells them apart by the control pressCtrl() names. The update callback
 * runs for every row on every paint and gets the same template each time. Each
 * press of a fast double click counts as a press, so a template button takes
 * both clicks; `doubleClicked()` is still emitted. setItemStyle() with
 * StateAll sets the normal state alone, unlike the other controls' setters.
 */
class TAVQTLIB_EXPORT TAVQListView : public TAVQControl<QListView>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The template every row is drawn from; see setItemTemplate().
    Q_PROPERTY(QWidget *itemTemplate READ itemTemplate WRITE setItemTemplate)
    /// The height of a row in pixels; see setItemHeight().
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)
    /// The width of an item in icon mode; see setItemWidth().
    Q_PROPERTY(int itemWidth READ itemWidth WRITE setItemWidth)
    /// Whether the template's label text can be selected across rows; see setTextSelectable().
    Q_PROPERTY(bool textSelectable READ isTextSelectable WRITE setTextSelectable)

public:
    /// Makes the control under `parent`, in the look a page without styles gives
    /// it: frameless, transparent, one pixel between rows, no editing, scrolling
    /// by pixel, with its two skinned bars.
    explicit TAVQListView(QWidget *parent = nullptr);
    /// Takes the delegate off the view, then deletes it and the implementation object.
    ~TAVQListView() override;

    /// "qtlistview".
    QString GetTypeName() override;
    /// Reads the common attributes, then the view's "style" slots (0 background;
    /// 2 row box for normal, standing for all three until 3 mouse over and
    /// 4 selected follow), its "attr" keys ("itemHeight", "itemWidth", "spacing",
    /// "itemMode": non-zero for icon mode) and its scroll-bar children.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the model, as QListView does; the view forgets what it recorded of
    /// the old model's rows and follows the new model's changes.
    void setModel(QAbstractItemModel *model) override;

    /// Makes `itemTemplate` the template every row is drawn from and hides it;
    /// its controls are collected now, so call this again after adding some.
    /// Null is ignored.
    void setItemTemplate(QWidget *itemTemplate);
    /// The template rows are drawn from; null before one is set or once it is deleted.
    QWidget *itemTemplate() const;
    /// Sets the function that binds a row's data into the template; null for none.
    void setUpdateItemCallback(UpdateItemCallback callback);
    /// The function that binds a row's data into the template; null for none.
    UpdateItemCallback updateItemCallback() const;
    /// Sets the function that gives each row's size; null (the default) for the
    /// view's item height and width. Asked only while the template is a control.
    void setItemSizeCallback(ItemSizeCallback callback);
    /// The function that gives each row's size; null for none.
    ItemSizeCallback itemSizeCallback() const;
    /// Sets the height of a row in pixels (default 20; 0 also means 20). The
    /// rows move apart or together at their next layout.
    void setItemHeight(int height);
    /// The height of a row in pixels as set; 0 stands for 20.
    int itemHeight() const;
    /// Sets the width of an item in icon mode, in pixels (default 20; 0 also
    /// means 20); in list mode a row is as wide as the viewport.
    void setItemWidth(int width);
    /// The width of an item in icon mode as set; 0 stands for 20.
    int itemWidth() const;
    /// Sets whether the text of the template's selectable TAVQLabelEx controls
    /// can be selected with the mouse, across rows (default false).
    void setTextSelectable(bool on);
    /// Whether the text of the template's labels can be selected across rows.
    bool isTextSelectable() const;
    /// Sets the box painted over the whole viewport, under the rows.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted under the rows.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box a TAVQContainer template takes in a row state: 0 normal,
    /// 1 mouse over, 2 selected, 3 kept but never drawn; any other state,
    /// StateAll among them, sets state 0.
    void setItemStyle(int state, const TAVQBoxStyle &style);
    /// The box of a row state; any state out of 0 to 3 reads state 0.
    const TAVQBoxStyle &itemStyle(int state) const;

    /// Sets a model of twenty empty rows, owned by the view, so that a designer
    /// shows the template.
    void fillPreviewRows();

    /// Where each template control was last drawn in `row`; empty for a row not
    /// drawn since it last changed or left the viewport.
    TAVQRowHitRects rowHitRects(int row) const;

    /// Sets the length of a bar's arrow buttons, as the bar's whole style sheet:
    /// it replaces the thickness setScrollBarThickness() set on that bar.
    void setScrollBarButtonLength(bool horizontal, int px);
    /// Sets the thickness of both bars, as their whole style sheets, replacing
    /// the button lengths; asked for the horizontal bar it does nothing.
    void setScrollBarThickness(bool horizontal, int px);

signals:
    /// Emitted when a mouse press lands on a control of a row's template: the
    /// control drawn last under the point (the template itself never counts),
    /// with the row's index. The receiver may remove the row.
    void pressCtrl(QWidget *control, const QModelIndex index);

protected:
    /// Paints the background style on the viewport before the rows, and lays the
    /// rows out again when the viewport's width changes in list mode.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Qt's handling; ends a text selection.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Qt's painting of the rows, each through the template.
    void paintEvent(QPaintEvent *event) override;
    /// Qt's handling; forgets where the template controls were drawn.
    void resizeEvent(QResizeEvent *event) override;
    /// Qt's handling alone: the view has no pressed look of its own; rows carry it.
    void mousePressEvent(QMouseEvent *event) override;
    /// Qt's handling alone: the view has no hover look of its own; rows carry it.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Handled as a press, then `doubleClicked()` for the row under the pointer,
    /// unless the press took that row away.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    /// Qt's handling alone.
    void enterEvent(TAVQEnterEvent *event) override;
    /// Qt's handling alone.
    void leaveEvent(QEvent *event) override;
    /// Qt's scrolling; the records of the rows still shown move with them, and a
    /// pointer resting over the viewport gives the hover to the row now under it.
    void scrollContentsBy(int dx, int dy) override;

protected slots:
    /// Forgets what was recorded of the rows, then Qt's reset.
    void reset() override;

private:
    TAVQ_DECLARE_IMPL(TAVQListView)
};

} // namespace TAVQtLib

#endif
