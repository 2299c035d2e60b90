#ifndef TAVQ_TREEVIEW_H
#define TAVQ_TREEVIEW_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"

#include <QTreeView>

namespace TAVQtLib {

class TAVQTreeHeader;
class TAVQTreeViewImpl;

/**
 * \brief A tree over an ordinary item model whose rows are drawn from styles,
 * with skinned scroll bars; page type "qttree" (also "tree").
 *
 * Each cell is drawn as the box of its look with its text (the item's first
 * data value, the display text for ordinary items) in the look's font style.
 * The looks are 0 normal, 1 mouse over, 2 selected (it wins over mouse over)
 * and 3, which is kept but never drawn. The model's check boxes and icons are
 * not drawn. The background style fills the viewport, the corner between the
 * bars and the area under the rows. The header is hidden; whole rows are
 * selected, one at a time, never edited, and a double click expands or
 * collapses a row.
 *
 * \code
 * auto *tree = new TAVQtLib::TAVQTreeView(window);
 * auto *model = new QStandardItemModel(tree);
 * auto *drinks = new QStandardItem(QStringLiteral("Drinks"));
 * drinks->appendRow(new QStandardItem(QStringLiteral("Tea")));
 * model->appendRow(drinks);
 * tree->setItemHeight(28);
 * tree->setModel(model);
 * QObject::connect(tree, &QTreeView::clicked, window, [](const QModelIndex &index) { qDebug() << index.data(); });
 * \endcode
 *
 * \par Signals
 * The control adds none. Those of QTreeView matter: `clicked()`,
 * `doubleClicked()`, `expanded()`, `collapsed()`, and the selection model's.
 *
 * \par Repainting
 * None of the setters repaints: call `viewport()->update()` after them.
 * setItemHeight() reaches the rows only at their next layout, as when rows
 * are inserted or the model is reset. The scroll-bar setters repaint the bars.
 *
 * All rows are as high as one another (`uniformRowHeights()` is on), and the
 * header styles are only stored: the header is hidden and, shown, paints
 * nothing.
 */
class TAVQTLIB_EXPORT TAVQTreeView : public TAVQControl<QTreeView>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The height of every row in pixels; see setItemHeight().
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)

public:
    /// Makes the control under `parent`, in the look a page without styles gives
    /// it: transparent, the header hidden, single row selection, no editing,
    /// scrolling by pixel, with its two skinned bars.
    explicit TAVQTreeView(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQTreeView() override;

    /// "qttree".
    QString GetTypeName() override;
    /// Reads the common attributes, then the tree's "style" slots (0 background,
    /// 2–5 row box per look, 6–7 row font for normal and mouse over, the first
    /// of each group standing for all four), its scroll-bar children and its
    /// "attr" key "itemHeight".
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the rows, the corner and the area under the rows.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the rows.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box of a row in a look (0 to 3; 4 sets all four, others change nothing).
    void setItemStyle(int look, const TAVQBoxStyle &style);
    /// The box of a row in a look; an out-of-range look reads look 0.
    const TAVQBoxStyle &itemStyle(int look) const;
    /// Sets the font style of a row's text in a look (0 to 3; 4 sets all four).
    void setItemFontStyle(int look, const TAVQFontStyle &style);
    /// The font style of a row's text in a look; an out-of-range look reads look 0.
    const TAVQFontStyle &itemFontStyle(int look) const;
    /// Stores the box of a header section in a look (0 to 3; 4 sets all four);
    /// the header paints nothing.
    void setHeaderStyle(int look, const TAVQBoxStyle &style);
    /// The stored box of a header section in a look; an out-of-range look reads look 0.
    const TAVQBoxStyle &headerStyle(int look) const;
    /// Stores the font style of a header section's text in a look (0 to 3;
    /// 4 sets all four); the header paints nothing.
    void setHeaderFontStyle(int look, const TAVQFontStyle &style);
    /// The stored font style of a header section's text in a look; an
    /// out-of-range look reads look 0.
    const TAVQFontStyle &headerFontStyle(int look) const;
    /// Sets the height of every row in pixels (default 0, which means 20). The
    /// rows take it at their next layout.
    void setItemHeight(int height);
    /// The height of a row in pixels as set; 0 stands for 20.
    int itemHeight() const;

    /// Stores a length for the bars' arrow buttons; nothing applies it, and
    /// `horizontal` is ignored.
    void setScrollBarButtonLength(bool horizontal, int length);
    /// Sets the thickness of both bars, as their whole style sheets; `horizontal` is ignored.
    void setScrollBarThickness(bool horizontal, int thickness);

    /// The header the control made, the same object as `header()`; null once
    /// replaced. Its class is not part of the API: use it as a QHeaderView
    /// through `header()`.
    TAVQTreeHeader *treeHeader() const;

protected:
    /// Paints the background style on the viewport before the rows.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Paints the background style, then Qt's painting of the rows.
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQTreeView)
};

} // namespace TAVQtLib

#endif
