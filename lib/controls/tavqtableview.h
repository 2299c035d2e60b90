#ifndef TAVQ_TABLEVIEW_H
#define TAVQ_TABLEVIEW_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"

#include <QTableView>

namespace TAVQtLib {

class TAVQTableHeader;
class TAVQTableViewImpl;

/**
 * \brief A data grid over an ordinary item model, painted entirely from
 * styles, with a check box column and skinned scroll bars; page type
 * "qtdatagrid" (also "datagrid").
 *
 * Cells, header sections, the background, the corner between the bars and the
 * area under the cells are drawn from box and font styles, by look: 0 normal,
 * 1 mouse over (the whole row under the pointer), 2 selected, 3 kept but never
 * drawn. A cell shows its display text, after the image named by its
 * `Qt::UserRole + 100` data when there is one. A column may take its cells'
 * look from a template control instead (setColumnTemplate()). The vertical
 * header is hidden; whole rows are selected, one at a time, and never edited.
 *
 * With setCheckable(), column 0 and its header section carry a check mark
 * image: a press on a cell's mark writes the negated `Qt::CheckStateRole` value
 * to the model (a bool, or nothing, gives a bool; anything else a
 * Qt::CheckState), and a press on the header's mark toggles it and emits
 * headerCheckedChanged().
 *
 * \code
 * auto *grid = new TAVQtLib::TAVQTableView(window);
 * auto *model = new QStandardItemModel(0, 3, grid);
 * model->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Qty"), QStringLiteral("Price")});
 * grid->setModel(model);
 * grid->setCheckable(true);
 * TAVQtLib::TAVQBoxStyle selected;
 * selected.color = QColor(0xCC, 0xE8, 0xFF);
 * grid->setCellStyle(2, selected);
 * QObject::connect(grid, &TAVQtLib::TAVQTableView::headerCheckedChanged, window,
 *                  [model](bool checked) { qDebug() << "all" << checked << model->rowCount(); });
 * \endcode
 *
 * \par Signals
 * headerCheckedChanged(bool checked) when a press toggles the header's check
 * mark. Those of QTableView matter too: `clicked()`, `doubleClicked()`,
 * `pressed()`, and the selection model's; the model's `dataChanged()` reports
 * a cell's check.
 *
 * \par Repainting
 * None of the setters repaints: call `viewport()->update()` after them (and
 * `horizontalHeader()->viewport()->update()` after a header style). The
 * scroll-bar setters repaint the bars.
 *
 * The header's check mark is the header's alone: toggling it changes no row,
 * so a program that wants "check all" does that on headerCheckedChanged().
 * In column 0 of a checkable table a check flips on the press alone: Qt's own
 * toggle of checkable items on the release is skipped there. Row heights are
 * Qt's (`verticalHeader()->setDefaultSectionSize()`): setItemHeight() stores a
 * number only.
 */
class TAVQTLIB_EXPORT TAVQTableView : public TAVQControl<QTableView>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The row height stored; see setItemHeight().
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)
    /// Whether column 0 and its header section carry check marks; see setCheckable().
    Q_PROPERTY(bool checkable READ isCheckable WRITE setCheckable)

public:
    /// Makes the control under `parent`, in the look a page without styles gives
    /// it: no grid, no frame, no editing, single row selection, scrolling by
    /// pixel, the vertical header hidden, with its two skinned bars.
    explicit TAVQTableView(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQTableView() override;

    /// "qtdatagrid".
    QString GetTypeName() override;
    /// Reads the common attributes, then the grid's "style" slots (0 background,
    /// 2–5 cell box, 6–9 cell font, 10–13 header box, 14–17 header font per
    /// look, the first of each group standing for all four), its "attr" keys
    /// ("multiselect", "itemHeight", also the header's height, "checkstyle",
    /// "checkedImg", "uncheckImg") and its scroll-bar children.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the cells, the corner and the area under the cells.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the cells.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box of a cell in a look (0 to 3; 4 sets all four, others change
    /// nothing). Invisible by default.
    void setCellStyle(int look, const TAVQBoxStyle &style);
    /// The box of a cell in a look; an out-of-range look reads look 0.
    const TAVQBoxStyle &cellStyle(int look) const;
    /// Sets the font style of a cell's text in a look (0 to 3; 4 sets all four).
    void setCellFontStyle(int look, const TAVQFontStyle &style);
    /// The font style of a cell's text in a look; an out-of-range look reads look 0.
    const TAVQFontStyle &cellFontStyle(int look) const;
    /// Sets the box of a header section in a look (0 to 3; 4 sets all four).
    /// The header paints look 0 only.
    void setHeaderStyle(int look, const TAVQBoxStyle &style);
    /// The box of a header section in a look; an out-of-range look reads look 0.
    const TAVQBoxStyle &headerStyle(int look) const;
    /// Sets the font style of a header section's text in a look (0 to 3; 4 sets
    /// all four). The header paints look 0 only.
    void setHeaderFontStyle(int look, const TAVQFontStyle &style);
    /// The font style of a header section's text in a look; an out-of-range look reads look 0.
    const TAVQFontStyle &headerFontStyle(int look) const;
    /// Stores a row height in pixels (default 20); the rows keep Qt's height.
    void setItemHeight(int height);
    /// The row height stored (default 20).
    int itemHeight() const;
    /// Sets whether column 0 and its header section carry check marks (default false).
    void setCheckable(bool checkable);
    /// Whether column 0 and its header section carry check marks.
    bool isCheckable() const;
    /// Sets the check mark image for checked (`checked` true) or unchecked, by
    /// resource name; a known image's size becomes the room the mark takes.
    void setCheckImage(bool checked, const QString &name);
    /// The check mark image for checked or unchecked; "IDB_CHECKED" and
    /// "IDB_UNCHECK" by default.
    QString checkImage(bool checked) const;
    /// Sets the control whose look the cells of `column` take: it is drawn with
    /// its controls over each cell's box and text, in place of the cell's image
    /// and check mark, and hidden itself. A widget that is no control draws
    /// nothing; null removes the column's template.
    void setColumnTemplate(int column, QWidget *widget);
    /// The template of a column; null for none or once the widget is deleted.
    QWidget *columnTemplate(int column) const;

    /// Stores the size applyScrollBarSheet() gives the vertical bar's buttons;
    /// `horizontal` is ignored and nothing is applied yet.
    void setScrollBarButtonLength(bool horizontal, int length);
    /// Stores the thickness of both bars and applies the sheet; `horizontal` is ignored.
    void setScrollBarThickness(bool horizontal, int thickness);
    /// Sets the style sheet for the stored thickness (default 23) and button
    /// length (default 23) as the whole sheet of both bars.
    void applyScrollBarSheet();

    /// The horizontal or vertical header the control made, the same objects as
    /// `horizontalHeader()` and `verticalHeader()`; null once replaced. Its
    /// class is not part of the API: use it as a QHeaderView through those.
    TAVQTableHeader *tableHeader(Qt::Orientation orientation) const;

signals:
    /// Emitted when a press on the header's check mark toggles it, with its new state.
    void headerCheckedChanged(bool checked);

protected:
    /// Paints the background style on the viewport before the cells.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Qt's handling; the row under the pointer loses its mouse-over look.
    void leaveEvent(QEvent *event) override;
    /// Paints the background style, then Qt's painting of the cells.
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQTableView)
};

} // namespace TAVQtLib

#endif
