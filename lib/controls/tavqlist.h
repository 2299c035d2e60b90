#ifndef TAVQ_LIST_H
#define TAVQ_LIST_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"

#include <QListWidget>

namespace TAVQtLib {

class TAVQListImpl;

/**
 * \brief A list of plain text rows drawn from styles, with skinned scroll bars;
 * page type "qtlist" (also "list").
 *
 * The rows are QListWidget's items. Each row is drawn as the box of its look
 * with its text (the item's first data value, the display text for ordinary
 * items) in the look's font style. The looks are 0 normal, 1 mouse over (it
 * wins over selected), 2 selected and 3, which is kept but never drawn.
 *
 * \code
 * auto *list = new TAVQtLib::TAVQList(window);
 * TAVQtLib::TAVQBoxStyle selected;
 * selected.color = QColor(0x33, 0x99, 0xFF);
 * list->setItemStyle(2, selected);
 * list->setItemHeight(32);
 * list->addItems({QStringLiteral("Tea"), QStringLiteral("Coffee")});
 * QObject::connect(list, &QListWidget::currentRowChanged, window, [](int row) { qDebug() << row; });
 * \endcode
 *
 * \par Signals
 * The control adds none. Those of QListWidget matter: `currentRowChanged(int)`,
 * `itemClicked(QListWidgetItem *)`, `itemDoubleClicked(QListWidgetItem *)`,
 * `itemSelectionChanged()`.
 *
 * \par Repainting
 * None of the look setters repaints: call `viewport()->update()` after them.
 * setItemHeight() changes the rows' height at once but their places only at
 * their next layout, which Qt makes when items are added or removed or the
 * view is reset: until then rows overlap or leave gaps. The scroll-bar setters
 * repaint the bars.
 */
class TAVQTLIB_EXPORT TAVQList : public TAVQControl<QListWidget>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The height of a row in pixels; see setItemHeight().
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)

public:
    /// Makes the control under `parent`, in the look a page without styles gives
    /// it: frameless, scrolling by pixel, with its two skinned bars.
    explicit TAVQList(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQList() override;

    /// "qtlist".
    QString GetTypeName() override;
    /// Reads the common attributes, then the list's "style" slots (0 background,
    /// 2–5 row box per look, 6–9 row font per look, the first of each group
    /// standing for all four), its "attr" key "itemHeight" and its scroll-bar
    /// children.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the rows, over the whole viewport.
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
    /// Sets the height of a row in pixels (default 20; 0 also means 20). The
    /// rows move apart or together at their next layout.
    void setItemHeight(int height);
    /// The height of a row in pixels as set; 0 stands for 20.
    int itemHeight() const;

    /// Does nothing: the buttons of both bars always take the bar's thickness.
    void setScrollBarButtonLength(bool horizontal, int length);
    /// Sets the thickness of both bars, the vertical bar's buttons as wide as
    /// the bar, as their whole style sheets; `horizontal` is ignored.
    void setScrollBarThickness(bool horizontal, int thickness);

protected:
    /// Paints the background style on the viewport before the rows.
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Qt's painting of the rows, each through the control's delegate.
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQList)
};

} // namespace TAVQtLib

#endif
