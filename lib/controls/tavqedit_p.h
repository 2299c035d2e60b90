#ifndef TAVQ_EDIT_P_H
#define TAVQ_EDIT_P_H

// Not part of the API: the look behind TAVQLineEdit, TAVQTextEdit and TAVQSpinBox.

#include "tavqedit.h"
#include "base/tavqkeytable_p.h"

#include "core/tavqcontrolbaseimpl.h"

#include <array>

namespace TAVQtLib {

// The look both text entries share: a box and a text style per visual state
// (2 is "has focus" here, not "pressed") and a placeholder shown while empty.
class TAVQTextEntryImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQTextEntryImpl(QWidget *widget);

    void OnPaint(QPaintEvent *event) override;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;
    // The look follows focus, so clicks leave it alone.
    void OnMousePress(QMouseEvent *) override {}
    void OnMouseRelease(QMouseEvent *) override {}
    void OnEnter(QEvent *event) override;
    void OnLeave(QEvent *event) override;
    void OnFocusIn();
    void OnFocusOut();

    // Text colour, pixel size and family of the state's style onto the widget.
    void applyStateFont(int state);

    // States 0 to 3; others (StateAll too) change nothing and read as state 0.
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &boxStyle(int state) const { return m_boxStyles[stateSlot(state)]; }
    void setFontStyle(int state, const TAVQFontStyle &style);
    const TAVQFontStyle &fontStyle(int state) const { return m_fontStyles[stateSlot(state)]; }
    void setTipText(const QString &text);
    QString tipText() const { return m_tipText; }
    void setTipStyle(const TAVQFontStyle &style);
    const TAVQFontStyle &tipStyle() const { return m_tipStyle; }

protected:
    enum MarginDefaults { ZeroMargins, MirroredMargins };

    // The element's "style" list: 0-3 boxes, 4-7 text styles, 8 the placeholder.
    // Only the slots of the control's table are read.
    void loadStyles(const Json::Value &element, const TAVQControlTable &table);
    // "text" and "tip" of the element's "attr".
    void loadTexts(const TAVQKeyReader &attr);
    // Mirrored: a missing right (bottom) margin repeats the left (top) one.
    static QMargins readMargins(const TAVQKeyReader &attr, MarginDefaults defaults);

    virtual QString entryText() const = 0;
    virtual void setEntryText(const QString &text) = 0;
    // Where the skin goes: the widget itself, or the viewport of a scroll area.
    virtual QWidget *surface() const { return m_widget; }

private:
    void syncEnabledState();

    QString m_tipText;
    TAVQFontStyle m_tipStyle;
    std::array<TAVQBoxStyle, 4> m_boxStyles;
    std::array<TAVQFontStyle, 4> m_fontStyles;
};

// Look of a line edit.
class TAVQLineEditImpl : public TAVQTextEntryImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQLineEditImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;

    // Whether a typed key combination replaces the text with its name.
    bool shortcutMode() const { return m_shortcutMode; }
    void setShortcutMode(bool on) { m_shortcutMode = on; }

protected:
    QString entryText() const override;
    void setEntryText(const QString &text) override;

private:
    QLineEdit *edit() const;
    void loadAttr(const Json::Value &attr);

    bool m_shortcutMode = false;
};

// Look of a text edit.
class TAVQTextEditImpl : public TAVQTextEntryImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQTextEditImpl(QWidget *widget);

    // Also configures the two scroll bars from the element's scroll-bar children.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;

protected:
    QString entryText() const override;
    void setEntryText(const QString &text) override;
    // QTextEdit paints its text on the viewport, so the skin goes there too.
    QWidget *surface() const override;

private:
    QTextEdit *edit() const;
};

// Adds nothing: a spin box has no skin of its own.
class TAVQSpinBoxImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQSpinBoxImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element) { return LoadAttrMap(&element); }
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
};

} // namespace TAVQtLib

#endif
