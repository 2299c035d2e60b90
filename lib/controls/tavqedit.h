#ifndef TAVQ_EDIT_H
#define TAVQ_EDIT_H

#include "tavqtlib_export.h"

#include "tavqitemviewparts.h"
#include "core/tavqcontrol.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMargins>
#include <QSpinBox>
#include <QTextEdit>

namespace TAVQtLib {

/**
 * \brief The programming interface and Qt event routing the two text entries
 * share, TAVQLineEdit and TAVQTextEdit: a background box and a font style per
 * visual state and a placeholder text shown while the entry is empty.
 *
 * `Widget` is QLineEdit or QTextEdit, the only two instantiations the library
 * provides. The visual states (TAVQState) follow focus, not clicks: 0 normal,
 * 1 hovered, 2 has focus (the "pressed" slot), 3 disabled. Entering and leaving
 * show 1 and 0 unless the entry has focus; gaining and losing focus show 2 and
 * 0. Each change repaints.
 *
 * The skin (the state's box and, while the text is empty, the placeholder) is
 * painted under Qt's own painting of the text. After it, each paint sets the
 * colour, pixel size and family of the state's font style on the widget, as a
 * fresh palette and font: a palette or font the program sets on the widget does
 * not last, and the style's weight, slant, underline, alignment and offsets do
 * not reach the text.
 *
 * \code
 * void skinEntry(TAVQtLib::TAVQTextEntryControl<QLineEdit> *entry, const TAVQtLib::TAVQBoxStyle &focused)
 * {
 *     entry->setBoxStyle(TAVQtLib::StatePressed, focused);   // the focused look
 * }
 * \endcode
 */
template <typename Widget>
class TAVQTLIB_EXPORT TAVQTextEntryControl : public TAVQControl<Widget>
{
public:
    /// Sets the background box of a visual state, 0 to 3, and repaints;
    /// StateAll (4) and any other state change nothing.
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    /// The background box of a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &boxStyle(int state) const;
    /// Sets the font style of the text in a visual state, 0 to 3; StateAll (4)
    /// and any other state change nothing. State 0's style reaches the widget at
    /// once, the others at the next paint in their state.
    void setFontStyle(int state, const TAVQFontStyle &style);
    /// The font style of the text in a visual state; an out-of-range state reads state 0.
    const TAVQFontStyle &fontStyle(int state) const;
    /// Sets the placeholder text shown while the entry is empty (default none); repaints.
    void setTipText(const QString &text);
    /// The placeholder text shown while the entry is empty.
    QString tipText() const;
    /// Sets the font style of the placeholder text; repaints.
    void setTipStyle(const TAVQFontStyle &style);
    /// The font style of the placeholder text.
    const TAVQFontStyle &tipStyle() const;

protected:
    /// For the two entries: `make` builds their implementation object.
    TAVQTextEntryControl(QWidget *parent, TAVQControlBaseImpl *(*make)(QWidget *widget))
        : TAVQControl<Widget>(parent, make)
    {
    }
    /// Paints the skin, then Qt's own painting over it.
    void paintEvent(QPaintEvent *e) override;
    /// Qt's handling, then the focus state.
    void focusInEvent(QFocusEvent *e) override;
    /// Qt's handling, then the normal state.
    void focusOutEvent(QFocusEvent *e) override;
};

/// The line edit's base, compiled into the library.
extern template class TAVQTextEntryControl<QLineEdit>;
/// The text edit's base, compiled into the library.
extern template class TAVQTextEntryControl<QTextEdit>;

class TAVQLineEditImpl;
class TAVQTextEditImpl;
class TAVQSpinBoxImpl;

/**
 * \brief A one-line text entry painted from box and font styles, with a
 * placeholder; page type "qtdedit" (also "dedit").
 *
 * It has no frame and a transparent background, so that only its skin shows
 * under the text (see TAVQTextEntryControl). While the echo mode is not Normal
 * (a password entry, say), the Select All, Copy and Paste keys do nothing. In
 * shortcut mode a typed key combination replaces the whole text with its name
 * instead of being typed: Ctrl, Alt and Shift with a letter give for example
 * "CTRL+SHIFT+A", F1 to F35 give "F1" to "F35", Backspace and Delete empty the
 * text, and other keys do nothing.
 *
 * \code
 * auto *code = new TAVQtLib::TAVQLineEdit(window);
 * code->setGeometry(10, 10, 200, 28);
 * code->setTipText(QStringLiteral("Scan or type a code"));
 * QObject::connect(code, &QLineEdit::returnPressed, window, [code] { qDebug() << code->text(); });
 * \endcode
 *
 * \par Signals
 * Those of QLineEdit: `textChanged(const QString &)`, `textEdited(const QString &)`,
 * `returnPressed()`, `editingFinished()`, `cursorPositionChanged(int, int)` and
 * `selectionChanged()`. A text set by shortcut mode emits `textChanged()` only.
 *
 * \par Repainting
 * setBoxStyle(), setTipText() and setTipStyle() repaint, and so does
 * setFontStyle() for state 0 (through the font and palette it sets); the other
 * setters change only what the next paint draws: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQLineEdit : public TAVQTextEntryControl<QLineEdit>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// Whether key combinations become their names (shortcutMode(), setShortcutMode()).
    Q_PROPERTY(bool shortcutMode READ shortcutMode WRITE setShortcutMode)
    /// The placeholder text (tipText(), setTipText()).
    Q_PROPERTY(QString tipText READ tipText WRITE setTipText)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQLineEdit(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQLineEdit() override;

    /// "qtdedit".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0–3 box per state,
    /// 4–7 font per state, 8 the placeholder; slot 4 also sets the placeholder's
    /// font when no slot 8 follows it) and the "attr" keys "text", "tip",
    /// "ispassord" (a password entry without context menu), "shortcut" and the
    /// text margins, a missing right or bottom margin repeating the left or top one.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets whether a typed key combination replaces the text with its name
    /// (default false).
    void setShortcutMode(bool on);
    /// Whether a typed key combination replaces the text with its name.
    bool shortcutMode() const;

protected:
    /// Guards a hidden text's clipboard keys and, in shortcut mode, turns key
    /// combinations into their names; otherwise QLineEdit's handling.
    void keyPressEvent(QKeyEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQLineEdit)
};

/**
 * \brief A multi-line text entry painted from box and font styles, with a
 * placeholder and skinned scroll bars; page type "qttext".
 *
 * It has no frame; it and its viewport are transparent and the skin is painted
 * on the viewport, under the text (see TAVQTextEntryControl). The scroll bars
 * are TAVQScrollBar controls (scrollBar()), configured by the page's scroll-bar
 * children.
 *
 * \code
 * auto *note = new TAVQtLib::TAVQTextEdit(window);
 * note->setGeometry(10, 50, 300, 120);
 * note->setTextMargins(QMargins(6, 4, 6, 4));
 * note->setTipText(QStringLiteral("Note for the kitchen"));
 * QObject::connect(note, &QTextEdit::textChanged, window, [note] { qDebug() << note->toPlainText(); });
 * \endcode
 *
 * \par Signals
 * Those of QTextEdit: `textChanged()`, `cursorPositionChanged()`,
 * `selectionChanged()`, `copyAvailable(bool)`, `undoAvailable(bool)` and
 * `redoAvailable(bool)`.
 *
 * \par Repainting
 * setBoxStyle(), setTipText(), setTipStyle(), setTextMargins() and
 * setScrollBarSize() repaint, and so does setFontStyle() for state 0 (through
 * the font and palette it sets); the other setters change only what the next
 * paint draws: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQTextEdit : public TAVQTextEntryControl<QTextEdit>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The placeholder text (tipText(), setTipText()).
    Q_PROPERTY(QString tipText READ tipText WRITE setTipText)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQTextEdit(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQTextEdit() override;

    /// "qttext".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (as TAVQLineEdit
    /// does), the "attr" keys "text", "tip" and the text margins (a missing one
    /// is 0), and the scroll-bar children, whose thickness goes to
    /// setScrollBarSize().
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the space between the edit's edges and its viewport, where the text
    /// and the skin go; the space itself stays unpainted (default none).
    void setTextMargins(const QMargins &margins);
    /// The space between the edit's edges and its viewport.
    QMargins textMargins() const;

    /// Sets the thickness of both scroll bars, in pixels, through their style sheets.
    void setScrollBarSize(int size);

private:
    TAVQ_DECLARE_IMPL(TAVQTextEdit)
};

/**
 * \brief A spin box without a skin of its own; page type "qtspinbox" (also
 * "spinbox" and "dnumedit").
 *
 * It has no frame and a transparent background, and QSpinBox's own painting is
 * not run: only its inner line edit paints, so the arrows are not drawn. Clicks
 * where they are, the wheel and the arrow keys still step the value.
 *
 * \code
 * auto *count = new TAVQtLib::TAVQSpinBox(window);
 * count->setRange(1, 99);
 * QObject::connect(count, QOverload<int>::of(&QSpinBox::valueChanged), window, [](int n) { qDebug() << n; });
 * \endcode
 *
 * \par Signals
 * Those of QSpinBox: `valueChanged(int)` and `editingFinished()`.
 *
 * \par Repainting
 * It has no setters of its own; QSpinBox's repaint.
 */
class TAVQTLIB_EXPORT TAVQSpinBox : public TAVQControl<QSpinBox>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    /// Makes the control under `parent`: frameless and transparent.
    explicit TAVQSpinBox(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQSpinBox() override;

    /// "qtspinbox".
    QString GetTypeName() override;
    /// Reads the common attributes; a spin box has no "style" slots or "attr" keys.
    bool LoadFromJson(const Json::Value &element) override;

private:
    TAVQ_DECLARE_IMPL(TAVQSpinBox)
};

} // namespace TAVQtLib

#endif
