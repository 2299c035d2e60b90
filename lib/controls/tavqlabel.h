#ifndef TAVQ_LABEL_H
#define TAVQ_LABEL_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QLabel>
#include <QTextDocument>

namespace TAVQtLib {

class TAVQLabelImpl;
class TAVQLabelExImpl;

/**
 * \brief A text in a font style, shortened to fit its width; page type
 * "qtlabel" (also "label").
 *
 * The label paints as QLabel does, with the font, text colour and alignment of
 * its font style set on the widget. The text given to setText() (or the page's
 * "text") is kept whole and shown shortened to the label's width, in the
 * style's eliding mode (`elide` 0 at the left, 1 at the right, 2 in the middle,
 * 3 or any other value never), from the next resize on. Without a page it
 * shows "label".
 *
 * \code
 * auto *total = new TAVQtLib::TAVQLabel(window);
 * total->setGeometry(10, 10, 120, 24);
 * TAVQtLib::TAVQFontStyle font;
 * if (TAVQtLib::TAVQResourceManager::instance().fontStyle(QStringLiteral("sum"), font))
 *     total->setFontStyle(TAVQtLib::StateNormal, font);
 * total->setText(QStringLiteral("12.50"));
 * \endcode
 *
 * \par Signals
 * None of its own; those of QLabel: `linkActivated(const QString &)` and
 * `linkHovered(const QString &)`, for links in a rich text.
 *
 * \par Repainting
 * setText(), setFontStyle() and setTextColor() repaint, through the QLabel text,
 * font, palette and alignment they set. A new font style's eliding mode and
 * width take effect at the next resize.
 *
 * \note setText() hides the non-virtual QLabel::setText(). A text set through a
 * `QLabel *` (or a connection to `&QLabel::setText`) is shown whole until the
 * next resize, which puts back the last text given to TAVQLabel::setText() or
 * the page, shortened; fullText() never sees it. The "text" property, the
 * setText(QString) slot by name and the page go through TAVQLabel::setText().
 * text() is what is shown, shortened or not.
 */
class TAVQTLIB_EXPORT TAVQLabel : public TAVQControl<QLabel>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The text shown, shortened or not; written through setText().
    Q_PROPERTY(QString text READ text WRITE setText)
    /// The text before shortening (fullText()).
    Q_PROPERTY(QString fullText READ fullText)

public:
    /// Makes the control under `parent`, showing "label" in the default font style.
    explicit TAVQLabel(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQLabel() override;

    /// "qtlabel".
    QString GetTypeName() override;
    /// Reads the common attributes, then the font style of "style" slot 0 and
    /// the "attr" key "text", and applies the font style to the widget.
    bool LoadFromJson(const Json::Value &element) override;

    /// The text last given to setText() or by the page, before shortening.
    QString fullText() const;
    /// Sets the text colour of the font style in force and applies it; an
    /// invalid colour goes back to the application palette's text colour.
    void setTextColor(const QColor &color);
    /// Sets a font style: state 0 the style in force, StateAll (4) both it and
    /// the spare one, any other state the spare one alone; then applies the
    /// style in force to the widget.
    void setFontStyle(int state, const TAVQFontStyle &style);
    /// The font style in force: its font, colour and alignment are the widget's.
    const TAVQFontStyle &fontStyle() const;
    /// The spare font style, set only through setFontStyle(); never drawn.
    const TAVQFontStyle &secondFontStyle() const;

public Q_SLOTS:
    /// Keeps `text` as the full text and shows it whole; it is shortened at the
    /// next resize. Hides QLabel::setText() (see the class note).
    void setText(const QString &text);

protected:
    /// Paints as QLabel does.
    void paintEvent(QPaintEvent *event) override;
    /// Shows the full text shortened to the new width.
    void resizeEvent(QResizeEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQLabel)
};

/// A place in a TAVQLabelEx's document: block, line within the block and cursor
/// position within the block; -1 parts mark no place.
struct TAVQTLIB_EXPORT TAVQTextPosition
{
    /// The text block, -1 for none.
    int block = -1;
    /// The line in the block, -1 for none.
    int line = -1;
    /// The cursor position in the block, -1 for none.
    int cursor = -1;

    /// True when any part is -1.
    bool isNull() const { return block == -1 || line == -1 || cursor == -1; }
    /// Whether two positions are the same.
    bool operator==(const TAVQTextPosition &other) const
    {
        return block == other.block && line == other.line && cursor == other.cursor;
    }
    /// Whether two positions differ.
    bool operator!=(const TAVQTextPosition &other) const { return !(*this == other); }
};

/**
 * \brief A rich text whose text can be selected with the mouse, in a font
 * style; page type "qtlabelex".
 *
 * The text lives in a QTextDocument the label paints itself, laid out at the
 * label's size, with the selection highlighted under it. The page's "text" is
 * plain text; without one the label shows "label".
 *
 * \code
 * auto *note = new TAVQtLib::TAVQLabelEx(window);
 * note->setGeometry(10, 40, 300, 60);
 * note->setHtml(QStringLiteral("<b>Receipt</b> printed"));
 * note->setTextColor(Qt::darkGray);
 * note->update();
 * \endcode
 *
 * While the label's text interaction flags are not Qt::NoTextInteraction (the
 * default lets the mouse in), a double click selects the whole text and a mouse
 * move takes the selection's focus end to the position under the pointer. A
 * press does not set the anchor, so a drag highlights only once a double click
 * or setSelection() has set one. QLabel's own mouse handling is never run.
 *
 * \par Signals
 * None of its own. QLabel's text, and with it its link signals, go unused: the
 * label shows its document, not QLabel::text().
 *
 * \par Repainting
 * The mouse selection repaints. setHtml(), setPlainText(), setTextColor(),
 * setFontStyle(), setSelection() and resetSelection() change only what the next
 * paint draws: call `update()` after them.
 *
 * \note QLabel::setText() changes nothing shown; use setPlainText() or setHtml().
 */
class TAVQTLIB_EXPORT TAVQLabelEx : public TAVQControl<QLabel>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The text as HTML (toHtml(), setHtml()).
    Q_PROPERTY(QString html READ toHtml WRITE setHtml)
    /// The text as plain text (toPlainText(), setPlainText()).
    Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText)

public:
    /// Makes the control under `parent`, showing "label" in the default font style.
    explicit TAVQLabelEx(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQLabelEx() override;

    /// "qtlabelex".
    QString GetTypeName() override;
    /// Reads the common attributes, then the font style of "style" slot 0 and
    /// the "attr" key "text" (plain text); the style's font becomes the
    /// document's default font.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the text as HTML.
    void setHtml(const QString &html);
    /// Sets the text as plain text.
    void setPlainText(const QString &text);
    /// The text as HTML.
    QString toHtml() const;
    /// The text as plain text.
    QString toPlainText() const;
    /// The document holding the text.
    const QTextDocument *document() const;

    /// Sets the colour of the font style in force, the colour the text is drawn
    /// in; without a valid one the widget palette's text colour is used.
    void setTextColor(const QColor &color);
    /// Sets a font style: state 0 the style in force, StateAll (4) both it and
    /// the spare one, any other state the spare one alone. Of a style set here
    /// only the colour is drawn: the document keeps the default font a page
    /// gave it.
    void setFontStyle(int state, const TAVQFontStyle &style);
    /// The font style in force.
    const TAVQFontStyle &fontStyle() const;
    /// The spare font style, set only through setFontStyle(); never drawn.
    const TAVQFontStyle &secondFontStyle() const;

    /// Clears the selection: both ends become null and nothing is highlighted.
    void resetSelection();
    /// The position of the document under `point`, in the control's
    /// coordinates; null where no line is.
    TAVQTextPosition hitTest(const QPoint &point) const;
    /// The start of the text, {0, 0, 0}, where a whole-text selection starts;
    /// not the current selection's start (see anchor()).
    TAVQTextPosition selectionStart() const;
    /// The end of the text, where a double click's selection ends: block is the
    /// block count, line the last line of the first block, cursor the character
    /// count less one. Not the current selection's end (see focus()).
    TAVQTextPosition selectionEnd() const;
    /// Selects the text between two positions, the earlier one becoming the
    /// anchor; `b` counts as earlier when its block, line or cursor is below
    /// `a`'s. Only lines of the first block are highlighted.
    void setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b);
    /// The end of the selection where it started; null when there is none.
    TAVQTextPosition anchor() const;
    /// The end of the selection that moves; null when there is none.
    TAVQTextPosition focus() const;

protected:
    /// Hands the press to the selection, which ignores it; QLabel's handler is not run.
    void mousePressEvent(QMouseEvent *event) override;
    /// Repaints the selection; QLabel's handler is not run.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Moves the selection's focus end to the position under the pointer and
    /// repaints when it changed; QLabel's handler is not run.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Selects the whole text and repaints; QLabel's handler is not run.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    /// Lays the document out at the new size, so that hitTest() sees the lines
    /// the next paint shows.
    void resizeEvent(QResizeEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQLabelEx)
};

} // namespace TAVQtLib

#endif
