#ifndef TAVQ_PUSHBUTTON_H
#define TAVQ_PUSHBUTTON_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QPushButton>

namespace TAVQtLib {

class TAVQPushButtonImpl;

/**
 * \brief A push button painted from a box and a font style per visual state,
 * with an icon; page type "qtbutton" (also "button").
 *
 * Made by a page element or by hand; the text is QPushButton's own.
 *
 * \code
 * auto *pay = new TAVQtLib::TAVQPushButton(window);
 * pay->setText(QStringLiteral("Pay"));
 * TAVQtLib::TAVQBoxStyle box;
 * if (TAVQtLib::TAVQResourceManager::instance().boxStyle(QStringLiteral("btn.pay"), box))
 *     pay->setBoxStyle(TAVQtLib::StateAll, box);
 * QObject::connect(pay, &QPushButton::clicked, window, [] { qDebug("paid"); });
 * \endcode
 *
 * \par Signals
 * Those of QPushButton: `pressed()`, `released()`, `clicked(bool)`,
 * `toggled(bool)`.
 *
 * \par Repainting
 * setIconPath() and setHotIconPath() repaint; the other setters change only
 * what the next paint draws: call `update()` after them.
 *
 * Return and Enter press the focused button; elsewhere in the window they reach
 * only a button made the default (`setDefault()`, or "default" in the page).
 */
class TAVQTLIB_EXPORT TAVQPushButton : public TAVQControl<QPushButton>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// Whether the icon is drawn.
    Q_PROPERTY(bool hasIcon READ hasIcon WRITE setHasIcon)
    /// Whether the text is drawn.
    Q_PROPERTY(bool showText READ showText WRITE setShowText)
    /// The icon, by resource name.
    Q_PROPERTY(QString iconPath READ iconPath WRITE setIconPath)
    /// The icon shown while the pointer is over the button.
    Q_PROPERTY(QString hotIconPath READ hotIconPath WRITE setHotIconPath)
    /// The horizontal offset of the text, in pixels.
    Q_PROPERTY(int textX READ textX WRITE setTextX)
    /// The vertical offset of the text, in pixels.
    Q_PROPERTY(int textY READ textY WRITE setTextY)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQPushButton(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQPushButton() override;

    /// "qtbutton".
    QString GetTypeName() override;
    /// Reads the common attributes, then the button's "style" slots (0–3 box per
    /// state, 4–7 font per state) and "attr" keys.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the background box of a visual state (TAVQState; StateAll sets all four).
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    /// The background box of a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &boxStyle(int state) const;
    /// Sets the font style of the text in a visual state (StateAll sets all four).
    void setFontStyle(int state, const TAVQFontStyle &style);
    /// The font style of the text in a visual state.
    const TAVQFontStyle &fontStyle(int state) const;
    /// Sets whether a state's box is its colour box (true) or its image.
    void setUseColor(int state, bool useColor);
    /// Whether a state's box is its colour box (true) or its image.
    bool useColor(int state) const;

    /// Sets whether the icon is drawn (default true).
    void setHasIcon(bool hasIcon);
    /// Whether the icon is drawn (default true).
    bool hasIcon() const;
    /// Sets whether the text is drawn (default true).
    void setShowText(bool showText);
    /// Whether the text is drawn (default true).
    bool showText() const;
    /// Sets the icon by resource name (empty for none); repaints.
    void setIconPath(const QString &path);
    /// The icon by resource name; empty for none.
    QString iconPath() const;
    /// Sets the icon shown while the pointer is over the button; repaints.
    void setHotIconPath(const QString &path);
    /// The icon shown while the pointer is over the button; empty for the plain icon.
    QString hotIconPath() const;
    /// Sets where the icon goes inside the button (centred by default).
    void setIconPlacement(const TAVQImagePlacement &placement);
    /// Where the icon goes inside the button.
    TAVQImagePlacement iconPlacement() const;
    /// Sets the horizontal offset of the text, in pixels.
    void setTextX(int x);
    /// The horizontal offset of the text, in pixels.
    int textX() const;
    /// Sets the vertical offset of the text, in pixels.
    void setTextY(int y);
    /// The vertical offset of the text, in pixels.
    int textY() const;

protected:
    /// Return and Enter press the focused button; elsewhere in the window they
    /// reach only a button made the default.
    void keyPressEvent(QKeyEvent *e) override;

private:
    TAVQ_DECLARE_IMPL(TAVQPushButton)
};

} // namespace TAVQtLib

#endif
