#ifndef TAVQ_TABLEVIEW_P_H
#define TAVQ_TABLEVIEW_P_H

// Not part of the API: the implementation, delegate, header and panes behind TAVQTableView.

#include "tavqtableview.h"

#include "tavqitemviewparts_p.h"
#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QHeaderView>
#include <QItemDelegate>
#include <QModelIndex>
#include <QPointer>
#include <QSize>

#include <array>
#include <map>

namespace TAVQtLib {

class TAVQCheckBox;

// Looks of a data grid: background, cells and header by look (0 normal, 1 mouse
// over, 2 selected, 3 kept), the check boxes of column 0 and the column templates.
class TAVQTableViewImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQTableViewImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // Creates the check stamp; called once the view exists.
    void createCheckStamp();
    TAVQCheckBox *checkStamp() const { return m_checkStamp; }

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // Looks 0 to 3; look 4 (setters only) means all four. Other looks change
    // nothing and read as look 0.
    void setCellStyle(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &cellStyle(int look) const { return m_cellStyles[stateSlot(look)]; }
    void setCellFontStyle(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &cellFontStyle(int look) const { return m_cellFontStyles[stateSlot(look)]; }
    void setHeaderStyle(int look, const TAVQBoxStyle &style) { m_headerLooks.setBox(look, style); }
    const TAVQBoxStyle &headerStyle(int look) const { return m_headerLooks.box(look); }
    void setHeaderFontStyle(int look, const TAVQFontStyle &style) { m_headerLooks.setFont(look, style); }
    const TAVQFontStyle &headerFontStyle(int look) const { return m_headerLooks.font(look); }

    // The height of a row in pixels.
    void setItemHeight(int height) { m_itemHeight = height; }
    int itemHeight() const { return m_itemHeight; }

    // Whether column 0 and its header carry check marks.
    void setCheckable(bool checkable) { m_checkable = checkable; }
    bool isCheckable() const { return m_checkable; }
    // The check mark image of column 0, checked or unchecked, by resource name.
    void setCheckImage(bool checked, const QString &name);
    QString checkImage(bool checked) const { return checked ? m_checkedImage : m_uncheckedImage; }
    // The size of the check mark image.
    QSize checkImageSize() const { return m_checkImageSize; }
    // Whether the header's check mark is checked.
    bool isHeaderChecked() const { return m_headerChecked; }
    // Toggles the header's check mark; returns the new state.
    bool toggleHeaderChecked() { return m_headerChecked = !m_headerChecked; }

    // The widget whose look the cells of a column take; null for none.
    void setColumnTemplate(int column, QWidget *widget);
    // Null for a column without a template or whose template was deleted.
    QWidget *columnTemplate(int column) const;

    // The headers the view made; null once the application replaced one.
    void setHeaders(TAVQTableHeader *horizontal, TAVQTableHeader *vertical);
    TAVQTableHeader *header(Qt::Orientation orientation) const;

    // The row under the pointer, -1 for none.
    int hoverRow() const { return m_hoverRow; }
    // The cell under the pointer, invalid for none.
    QModelIndex hoverIndex() const { return m_hoverIndex; }
    // Records the row and cell under the pointer.
    void setHover(int row, const QModelIndex &index);

    // The thickness of the bars, in pixels.
    int scrollBarThickness() const { return m_scrollBarThickness; }
    void setScrollBarThickness(int thickness) { m_scrollBarThickness = thickness; }
    // The length of the bars' arrow buttons, in pixels.
    int scrollBarButtonLength() const { return m_scrollBarButtonLength; }
    void setScrollBarButtonLength(int length) { m_scrollBarButtonLength = length; }
    // The whole style sheet both bars get for the stored thickness and button length.
    QString scrollBarSheet() const;

    // Where the check box of column 0 sits in a cell or header section.
    QRect checkRect(const QRect &cell) const;
    // The cell or section with the room for the check box taken off in column 0.
    QRect textRect(const QRect &cell, int column) const;
    void paintCheck(QPainter *painter, const QRect &cell, bool checked) const;
    // Draws the column's template into the cell; false when the column has none.
    bool drawColumnTemplate(QPainter *painter, int column, const QRect &cell) const;

private:
    TAVQTableView *view() const;
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);

    int m_itemHeight = 20;
    TAVQBoxStyle m_backgroundStyle;
    std::array<TAVQFontStyle, 4> m_cellFontStyles;
    std::array<TAVQBoxStyle, 4> m_cellStyles;
    TAVQHeaderLooks m_headerLooks;
    int m_hoverRow = -1;
    QModelIndex m_hoverIndex;
    int m_scrollBarThickness = 23;
    int m_scrollBarButtonLength = 23;
    TAVQCheckBox *m_checkStamp = nullptr;
    bool m_checkable = false;
    QSize m_checkImageSize{24, 24};
    QString m_checkedImage = QStringLiteral("IDB_CHECKED");
    QString m_uncheckedImage = QStringLiteral("IDB_UNCHECK");
    bool m_headerChecked = false;
    // Guarded: the application may delete a template while the table lives.
    std::map<int, QPointer<QWidget>> m_columnTemplates;
    // Guarded: Qt deletes a header the application replaces.
    QPointer<TAVQTableHeader> m_hHeader;
    QPointer<TAVQTableHeader> m_vHeader;
};

// Paints cells from the implementation's styles and flips the check role on
// presses inside the check box of column 0.
class TAVQTableViewitemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Paints cells in the looks of `impl`.
    TAVQTableViewitemDelegate(TAVQTableViewImpl *impl, QObject *parent);

    // Paints the row from the control's item styles.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // A press on a cell's check mark toggles it; other events go to Qt's handling.
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    bool isCheckPress(const QEvent *event, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void trackHover(const QModelIndex &index) const;

    TAVQTableViewImpl *m_impl;
};

// A header painted from the implementation's header styles; the horizontal one
// carries the header check box.
class TAVQTableHeader : public QHeaderView
{
    Q_OBJECT

public:
    // A header of the given orientation in the looks of `impl`.
    TAVQTableHeader(TAVQTableViewImpl *impl, Qt::Orientation orientation, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect sectionRect(int section) const;

    TAVQTableViewImpl *m_impl;
};

// The corner between the bars, painted with the background style.
class TAVQConerWidget : public TAVQBoxPane
{
    Q_OBJECT

public:
    // Paints the view's background box under `parent`.
    TAVQConerWidget(TAVQTableViewImpl *impl, QWidget *parent);
};

// The area under the cells, painted like the corner.
class TAVQViewport : public TAVQConerWidget
{
    Q_OBJECT

public:
    // The corner widget's constructor.
    using TAVQConerWidget::TAVQConerWidget;
};

} // namespace TAVQtLib

#endif
