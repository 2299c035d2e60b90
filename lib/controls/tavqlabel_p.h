#ifndef TAVQ_LABEL_P_H
#define TAVQ_LABEL_P_H

// Not part of the API: the look behind TAVQLabel and TAVQLabelEx.

#include "tavqlabel.h"
#include "base/tavqkeytable_p.h"

#include "core/tavqcontrolbaseimpl.h"

#include <QTextDocument>

namespace TAVQtLib {

// The two font styles a label keeps: the one in force (page slot 0) and a
// spare one only the programming interface sets.
class TAVQLabelFonts
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
class TAVQLabelImpl : public TAVQControlBaseImpl
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

// Look of a rich text label: its document, font styles and selection.
class TAVQLabelExImpl : public TAVQControlBaseImpl
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

} // namespace TAVQtLib

#endif
