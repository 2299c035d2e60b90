#ifndef TAVQ_LABEL_H
#define TAVQ_LABEL_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QLabel>
#include <QTextDocument>

namespace TAVQtLib {

// The two font styles a label keeps: the one in force (page slot 0) and a
// spare one only the programming interface sets.
class TAVQTLIB_EXPORT TAVQLabelFonts
{
public:
    // The font style in force.
    const TAVQFontStyle &current() const { return m_fontStyle; }
    // The spare font style.
    const TAVQFontStyle &second() const { return m_fontStyle2; }

    // State 0 sets the style in force, 4 both, anything else the spare one.
    void set(int state, const TAVQFontStyle &style);
    void setColor(const QColor &color) { m_fontStyle.color = color; }
    // Slot 0 of the element's "style" list, as the control's table lists it.
    void load(const Json::Value &element, const TAVQControlTable &table);

    // The style colour, or the widget's own text colour while the style has none.
    QColor textColor(const QWidget *widget) const;

private:
    TAVQFontStyle m_fontStyle;
    TAVQFontStyle m_fontStyle2;
};

// Look of a label: its font styles and the text before eliding.
class TAVQTLIB_EXPORT TAVQLabelImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQLabelImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

    // The font styles the label draws with.
    const TAVQLabelFonts &fonts() const { return m_fonts; }
    // State 0 sets the font style in force, 4 both, any other state the spare one.
    void setFontStyle(int state, const TAVQFontStyle &style);
    // Sets the text colour of the font style in force.
    void setTextColor(const QColor &color);

    // The text before eliding.
    QString fullText() const { return m_fullText; }
    void setFullText(const QString &text) { m_fullText = text; }

    // Font, text colour and alignment of the style in force onto the widget.
    void applyStyle();
    // The full text shortened to the widget's width, or as it is for elide 3.
    QString elidedText() const;

private:
    QLabel *label() const;

    TAVQLabelFonts m_fonts;
    QString m_fullText;
};

// A text in a font style, elided to fit its width.
class TAVQTLIB_EXPORT TAVQLabel : public TAVQControl<QLabel, TAVQLabelImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQLabel(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The text before eliding.
    QString fullText() const { return m_impl->fullText(); }
    // Sets the text colour of the font style in force.
    void setTextColor(const QColor &color) { m_impl->setTextColor(color); }
    // The font style in force.
    void setFontStyle(int state, const TAVQFontStyle &style) { m_impl->setFontStyle(state, style); }
    const TAVQFontStyle &fontStyle() const { return m_impl->fonts().current(); }
    // The spare font style, set only through setFontStyle().
    const TAVQFontStyle &secondFontStyle() const { return m_impl->fonts().second(); }

public Q_SLOTS:
    // Shown whole; it is shortened at the next resize.
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

// A place in a label's document: block, line within the block, cursor position.
struct TAVQTLIB_EXPORT TAVQTextPosition
{
    // The text block, -1 for none.
    int block = -1;
    // The line in the block, -1 for none.
    int line = -1;
    // The cursor position in the block, -1 for none.
    int cursor = -1;

    // True when any part is -1.
    bool isNull() const { return block == -1 || line == -1 || cursor == -1; }
    // Whether two positions are the same.
    bool operator==(const TAVQTextPosition &other) const
    {
        return block == other.block && line == other.line && cursor == other.cursor;
    }
    // Whether two positions differ.
    bool operator!=(const TAVQTextPosition &other) const { return !(*this == other); }
};

// Look of a rich text label: its document, font styles and selection.
class TAVQTLIB_EXPORT TAVQLabelExImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQLabelExImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnMousePress(QMouseEvent *event) override;
    void OnMouseRelease(QMouseEvent *event) override;
    void OnMouseMove(QMouseEvent *event) override;
    void OnMouseDoubleClick(QMouseEvent *event) override;

    // The font styles the label draws with.
    const TAVQLabelFonts &fonts() const { return m_fonts; }
    // State 0 sets the font style in force, 4 both, any other state the spare one.
    void setFontStyle(int state, const TAVQFontStyle &style) { m_fonts.set(state, style); }
    // Sets the text colour of the font style in force.
    void setTextColor(const QColor &color) { m_fonts.setColor(color); }

    // The document holding the text.
    QTextDocument *document() { return &m_document; }
    const QTextDocument *document() const { return &m_document; }

    // The end of the selection where it started.
    TAVQTextPosition anchor() const { return m_anchor; }
    // The end of the selection that moves.
    TAVQTextPosition focus() const { return m_focus; }
    // Clears the selection.
    void resetSelection();
    // Selects the text between two positions.
    void setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b);
    // The text position under a point of the control; null when there is none.
    TAVQTextPosition hitTest(const QPoint &point) const;
    // The later end of the selection.
    TAVQTextPosition selectionEnd() const;

private:
    // Block layouts hold lines only once the document has been laid out.
    void ensureLaidOut() const;
    void paintSelection(QPainter *painter) const;

    TAVQLabelFonts m_fonts;
    TAVQTextPosition m_anchor;
    TAVQTextPosition m_focus;
    QTextDocument m_document;
};

// A rich text whose text can be selected, in a font style.
class TAVQTLIB_EXPORT TAVQLabelEx : public TAVQControl<QLabel, TAVQLabelExImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQLabelEx(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // Sets the text as HTML.
    void setHtml(const QString &html) { m_impl->document()->setHtml(html); }
    // Sets the text as plain text.
    void setPlainText(const QString &text) { m_impl->document()->setPlainText(text); }
    // The text as HTML.
    QString toHtml() const { return m_impl->document()->toHtml(); }
    // The text as plain text.
    QString toPlainText() const { return m_impl->document()->toPlainText(); }
    // The document holding the text.
    const QTextDocument *document() const { return m_impl->document(); }

    // Sets the text colour of the font style in force.
    void setTextColor(const QColor &color) { m_impl->setTextColor(color); }
    // The font style in force.
    void setFontStyle(int state, const TAVQFontStyle &style) { m_impl->setFontStyle(state, style); }
    const TAVQFontStyle &fontStyle() const { return m_impl->fonts().current(); }
    // The spare font style, set only through setFontStyle().
    const TAVQFontStyle &secondFontStyle() const { return m_impl->fonts().second(); }

    // Clears the selection.
    void resetSelection() { m_impl->resetSelection(); }
    // The text position under a point of the control; null when there is none.
    TAVQTextPosition hitTest(const QPoint &point) const { return m_impl->hitTest(point); }
    // The start of the text, where a selection is measured from.
    TAVQTextPosition selectionStart() const { return TAVQTextPosition{0, 0, 0}; }
    // The later end of the selection.
    TAVQTextPosition selectionEnd() const { return m_impl->selectionEnd(); }
    // Selects the text between two positions.
    void setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b) { m_impl->setSelection(a, b); }
    // The end of the selection where it started.
    TAVQTextPosition anchor() const { return m_impl->anchor(); }
    // The end of the selection that moves.
    TAVQTextPosition focus() const { return m_impl->focus(); }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool acceptsMouse() const { return textInteractionFlags() != Qt::NoTextInteraction; }
};

} // namespace TAVQtLib

#endif
