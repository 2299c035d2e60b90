#ifndef TAVQ_LABEL_H
#define TAVQ_LABEL_H

#include "core/tavqcontrol.h"

#include <QLabel>
#include <QTextDocument>

namespace TAVQtLib {

// The two font styles a label keeps: the one in force (page slot 0) and a
// spare one only the programming interface sets.
class TAVQLabelFonts
{
public:
    const TAVQFontStyle &current() const { return m_fontStyle; }
    const TAVQFontStyle &second() const { return m_fontStyle2; }

    // State 0 sets the style in force, 4 both, anything else the spare one.
    void set(int state, const TAVQFontStyle &style);
    void setColor(const QColor &color) { m_fontStyle.color = color; }
    // Slot 0 of the element's "style" list.
    void load(const Json::Value &element);

    // The style colour, or the widget's own text colour while the style has none.
    QColor textColor(const QWidget *widget) const;

private:
    TAVQFontStyle m_fontStyle;
    TAVQFontStyle m_fontStyle2;
};

class TAVQLabelImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQLabelImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

    const TAVQLabelFonts &fonts() const { return m_fonts; }
    void setFontStyle(int state, const TAVQFontStyle &style);
    void setTextColor(const QColor &color);

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

class TAVQLabel : public TAVQControl<QLabel, TAVQLabelImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQLabel(QWidget *parent = nullptr);

    QString GetTypeName() override;

    QString fullText() const { return m_impl->fullText(); }
    void setTextColor(const QColor &color) { m_impl->setTextColor(color); }
    void setFontStyle(int state, const TAVQFontStyle &style) { m_impl->setFontStyle(state, style); }
    const TAVQFontStyle &fontStyle() const { return m_impl->fonts().current(); }
    const TAVQFontStyle &secondFontStyle() const { return m_impl->fonts().second(); }

public Q_SLOTS:
    // Shown whole; it is shortened at the next resize.
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

// A place in a label's document: block, line within the block, cursor position.
struct TAVQTextPosition
{
    int block = -1;
    int line = -1;
    int cursor = -1;

    bool isNull() const { return block == -1 || line == -1 || cursor == -1; }
    bool operator==(const TAVQTextPosition &other) const
    {
        return block == other.block && line == other.line && cursor == other.cursor;
    }
    bool operator!=(const TAVQTextPosition &other) const { return !(*this == other); }
};

class TAVQLabelExImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQLabelExImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnMousePress(QMouseEvent *event) override;
    void OnMouseRelease(QMouseEvent *event) override;
    void OnMouseMove(QMouseEvent *event) override;
    void OnMouseDoubleClick(QMouseEvent *event) override;

    const TAVQLabelFonts &fonts() const { return m_fonts; }
    void setFontStyle(int state, const TAVQFontStyle &style) { m_fonts.set(state, style); }
    void setTextColor(const QColor &color) { m_fonts.setColor(color); }

    QTextDocument *document() { return &m_document; }
    const QTextDocument *document() const { return &m_document; }

    TAVQTextPosition anchor() const { return m_anchor; }
    TAVQTextPosition focus() const { return m_focus; }
    void resetSelection();
    void setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b);
    TAVQTextPosition hitTest(const QPoint &point) const;
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

class TAVQLabelEx : public TAVQControl<QLabel, TAVQLabelExImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQLabelEx(QWidget *parent = nullptr);

    QString GetTypeName() override;

    void setHtml(const QString &html) { m_impl->document()->setHtml(html); }
    void setPlainText(const QString &text) { m_impl->document()->setPlainText(text); }
    QString toHtml() const { return m_impl->document()->toHtml(); }
    QString toPlainText() const { return m_impl->document()->toPlainText(); }
    const QTextDocument *document() const { return m_impl->document(); }

    void setTextColor(const QColor &color) { m_impl->setTextColor(color); }
    void setFontStyle(int state, const TAVQFontStyle &style) { m_impl->setFontStyle(state, style); }
    const TAVQFontStyle &fontStyle() const { return m_impl->fonts().current(); }
    const TAVQFontStyle &secondFontStyle() const { return m_impl->fonts().second(); }

    void resetSelection() { m_impl->resetSelection(); }
    TAVQTextPosition hitTest(const QPoint &point) const { return m_impl->hitTest(point); }
    TAVQTextPosition selectionStart() const { return TAVQTextPosition{0, 0, 0}; }
    TAVQTextPosition selectionEnd() const { return m_impl->selectionEnd(); }
    void setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b) { m_impl->setSelection(a, b); }
    TAVQTextPosition anchor() const { return m_impl->anchor(); }
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
