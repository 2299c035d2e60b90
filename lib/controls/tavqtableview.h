#ifndef TAVQ_TABLEVIEW_H
#define TAVQ_TABLEVIEW_H

#include "core/tavqcontrol.h"

#include <QHeaderView>
#include <QItemDelegate>
#include <QModelIndex>
#include <QSize>
#include <QTableView>

#include <array>
#include <map>

namespace TAVQtLib {

class TAVQCheckBox;
class TAVQScrollBar;
class TAVQTableView;

// Looks of a data grid: background, cells and header by look (0 normal, 1 mouse
// over, 2 selected, 3 kept), the check boxes of column 0 and the column templates.
class TAVQTableViewImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQTableViewImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // Creates the check stamp; called once the view exists.
    void createCheckStamp();
    TAVQCheckBox *checkStamp() const { return m_checkStamp; }

    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // Looks 0 to 3; look 4 (setters only) means all four. Other looks change
    // nothing and read as look 0.
    void setCellStyle(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &cellStyle(int look) const { return m_cellStyles[index(look)]; }
    void setCellFontStyle(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &cellFontStyle(int look) const { return m_cellFontStyles[index(look)]; }
    void setHeaderStyle(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &headerStyle(int look) const { return m_headerStyles[index(look)]; }
    void setHeaderFontStyle(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &headerFontStyle(int look) const { return m_headerFontStyles[index(look)]; }

    void setItemHeight(int height) { m_itemHeight = height; }
    int itemHeight() const { return m_itemHeight; }

    void setCheckable(bool checkable) { m_checkable = checkable; }
    bool isCheckable() const { return m_checkable; }
    void setCheckImage(bool checked, const QString &name);
    QString checkImage(bool checked) const { return checked ? m_checkedImage : m_uncheckedImage; }
    QSize checkImageSize() const { return m_checkImageSize; }
    bool isHeaderChecked() const { return m_headerChecked; }
    bool toggleHeaderChecked() { return m_headerChecked = !m_headerChecked; }

    void setColumnTemplate(int column, QWidget *widget);
    QWidget *columnTemplate(int column) const;

    int hoverRow() const { return m_hoverRow; }
    QModelIndex hoverIndex() const { return m_hoverIndex; }
    void setHover(int row, const QModelIndex &index);

    int scrollBarThickness() const { return m_scrollBarThickness; }
    void setScrollBarThickness(int thickness) { m_scrollBarThickness = thickness; }
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
    static size_t index(int look) { return look > 0 && look < 4 ? size_t(look) : 0; }
    TAVQTableView *view() const;
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);

    int m_itemHeight = 20;
    TAVQBoxStyle m_backgroundStyle;
    std::array<TAVQFontStyle, 4> m_cellFontStyles;
    std::array<TAVQBoxStyle, 4> m_cellStyles;
    std::array<TAVQBoxStyle, 4> m_headerStyles;
    std::array<TAVQFontStyle, 4> m_headerFontStyles;
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
    std::map<int, QWidget *> m_columnTemplates;
};

// Paints cells from the implementation's styles and flips the check role on
// presses inside the check box of column 0.
class TAVQTableViewitemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    TAVQTableViewitemDelegate(TAVQTableViewImpl *impl, QObject *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    void trackHover(const QModelIndex &index) const;

    TAVQTableViewImpl *m_impl;
};

// A header painted from the implementation's header styles; the horizontal one
// carries the header check box.
class TAVQTableHeader : public QHeaderView
{
    Q_OBJECT

public:
    TAVQTableHeader(TAVQTableViewImpl *impl, Qt::Orientation orientation, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect sectionRect(int section) const;

    TAVQTableViewImpl *m_impl;
};

// The corner between the bars, painted with the background style.
class TAVQConerWidget : public QWidget
{
    Q_OBJECT

public:
    TAVQConerWidget(TAVQTableViewImpl *impl, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTableViewImpl *m_impl;
};

// The area under the cells, painted like the corner.
class TAVQViewport : public TAVQConerWidget
{
    Q_OBJECT

public:
    using TAVQConerWidget::TAVQConerWidget;
};

// A data grid over an ordinary item model, painted entirely from styles.
class TAVQTableView : public TAVQControl<QTableView, TAVQTableViewImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQTableView(QWidget *parent = nullptr);

    QString GetTypeName() override;

    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->setBackgroundStyle(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->backgroundStyle(); }
    void setCellStyle(int look, const TAVQBoxStyle &style) { m_impl->setCellStyle(look, style); }
    const TAVQBoxStyle &cellStyle(int look) const { return m_impl->cellStyle(look); }
    void setCellFontStyle(int look, const TAVQFontStyle &style) { m_impl->setCellFontStyle(look, style); }
    const TAVQFontStyle &cellFontStyle(int look) const { return m_impl->cellFontStyle(look); }
    void setHeaderStyle(int look, const TAVQBoxStyle &style) { m_impl->setHeaderStyle(look, style); }
    const TAVQBoxStyle &headerStyle(int look) const { return m_impl->headerStyle(look); }
    void setHeaderFontStyle(int look, const TAVQFontStyle &style) { m_impl->setHeaderFontStyle(look, style); }
    const TAVQFontStyle &headerFontStyle(int look) const { return m_impl->headerFontStyle(look); }
    void setItemHeight(int height) { m_impl->setItemHeight(height); }
    int itemHeight() const { return m_impl->itemHeight(); }
    void setCheckable(bool checkable) { m_impl->setCheckable(checkable); }
    bool isCheckable() const { return m_impl->isCheckable(); }
    void setCheckImage(bool checked, const QString &name) { m_impl->setCheckImage(checked, name); }
    QString checkImage(bool checked) const { return m_impl->checkImage(checked); }
    void setColumnTemplate(int column, QWidget *widget) { m_impl->setColumnTemplate(column, widget); }
    QWidget *columnTemplate(int column) const { return m_impl->columnTemplate(column); }

    void setScrollBarStyle(bool horizontal, const TAVQBoxStyle &style);
    void setScrollBarArrowIcon(bool horizontal, bool upArrow, const QString &image);
    void setScrollBarArrowIconPlacement(bool horizontal, bool upArrow, const TAVQImagePlacement &placement);
    void setScrollBarThumbIcon(bool horizontal, const QString &image);
    void setScrollBarArrowStyle(bool horizontal, bool upArrow, int state, const TAVQBoxStyle &style);
    void setScrollBarThumbStyle(bool horizontal, int state, const TAVQBoxStyle &style);
    // Both bars share the button length and the thickness; `horizontal` is ignored.
    void setScrollBarButtonLength(bool horizontal, int length);
    void setScrollBarThickness(bool horizontal, int thickness);
    // Sets the style sheet for the stored thickness and button length on both bars.
    void applyScrollBarSheet();

    TAVQTableHeader *tableHeader(Qt::Orientation orientation) const;
    TAVQScrollBar *scrollBar(bool horizontal) const { return horizontal ? m_hBar : m_vBar; }

signals:
    void headerCheckedChanged(bool checked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQTableHeader *m_hHeader;
    TAVQTableHeader *m_vHeader;
    TAVQScrollBar *m_hBar;
    TAVQScrollBar *m_vBar;
    TAVQTableViewitemDelegate *m_delegate;
    TAVQConerWidget *m_corner;
    TAVQViewport *m_viewport;
};

} // namespace TAVQtLib

#endif
