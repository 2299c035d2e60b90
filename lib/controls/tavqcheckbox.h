#ifndef TAVQ_CHECKBOX_H
#define TAVQ_CHECKBOX_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QCheckBox>
#include <QRadioButton>

namespace TAVQtLib {

/**
 * \brief The programming interface the two-state buttons share, TAVQCheckBox
 * and TAVQRadioButton: a background box per visual state and check state, an
 * icon per check state (plain and hovered) and a font style for the text
 * unchecked and checked.
 *
 * `Button` is QCheckBox or QRadioButton, the only two instantiations the library
 * provides. The text is the Qt button's own (`setText()`).
 *
 * Every setter here changes only what the next paint draws: call `update()`
 * after it.
 *
 * \code
 * void useMarks(TAVQtLib::TAVQToggleControl<QCheckBox> *box)
 * {
 *     box->setIconPath(QStringLiteral("IDB_UNCHECK"));
 *     box->setCheckedIconPath(QStringLiteral("IDB_CHECKED"));
 *     box->update();
 * }
 * \endcode
 */
template <typename Button>
class TAVQTLIB_EXPORT TAVQToggleControl : public TAVQControl<Button>
{
public:
    /// Sets the icon shown unchecked, by resource name; empty for none.
    void setIconPath(const QString &path);
    /// The icon shown unchecked, by resource name; empty for none.
    QString iconPath() const;
    /// Sets the icon shown unchecked while the pointer is over the control.
    void setHotIconPath(const QString &path);
    /// The icon shown unchecked while the pointer is over the control.
    QString hotIconPath() const;
    /// Sets the icon shown checked, by resource name; empty for none.
    void setCheckedIconPath(const QString &path);
    /// The icon shown checked, by resource name; empty for none.
    QString checkedIconPath() const;
    /// Sets the icon shown checked while the pointer is over the control.
    void setCheckedHotIconPath(const QString &path);
    /// The icon shown checked while the pointer is over the control.
    QString checkedHotIconPath() const;
    /// Sets where the icon goes inside the control (left and vertically centred
    /// by default).
    void setIconPlacement(const TAVQImagePlacement &placement);
    /// Where the icon goes inside the control.
    TAVQImagePlacement iconPlacement() const;
    /// Sets whether the icon is drawn (default true).
    void setShowIcon(bool show);
    /// Whether the icon is drawn (default true).
    bool showIcon() const;
    /// Sets whether the text is drawn (default true).
    void setShowText(bool show);
    /// Whether the text is drawn (default true).
    bool showText() const;
    /// Sets the font style of the text while unchecked (`checked` false) or checked.
    void setTextStyle(bool checked, const TAVQFontStyle &style);
    /// The font style of the text while unchecked (`checked` false) or checked.
    const TAVQFontStyle &textStyle(bool checked) const;
    /// Sets the background box while unchecked in a visual state (TAVQState):
    /// 0 to 3 set that state, StateAll (4) all four, any other state nothing.
    /// The boxes are invisible by default.
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    /// The background box while unchecked in a visual state; an out-of-range
    /// state reads state 0.
    const TAVQBoxStyle &boxStyle(int state) const;
    /// Sets the background box while checked in a visual state, as setBoxStyle() does.
    void setCheckedBoxStyle(int state, const TAVQBoxStyle &style);
    /// The background box while checked in a visual state; an out-of-range
    /// state reads state 0.
    const TAVQBoxStyle &checkedBoxStyle(int state) const;

protected:
    /// For the two buttons: `make` builds their implementation object.
    TAVQToggleControl(QWidget *parent, TAVQControlBaseImpl *(*make)(QWidget *widget))
        : TAVQControl<Button>(parent, make)
    {
    }
};

/// The check box's base, compiled into the library.
extern template class TAVQToggleControl<QCheckBox>;
/// The radio button's base, compiled into the library.
extern template class TAVQToggleControl<QRadioButton>;

class TAVQCheckBoxImpl;
class TAVQRadioButtonImpl;

/**
 * \brief A check box painted from box and font styles, with an icon per check
 * state; page type "qtcheckbox" (also "checkbox").
 *
 * The icons default to the built-in "IDB_UNCHECK" and "IDB_CHECKED" (plain and
 * hovered alike); the disabled icons are empty, so a disabled box shows no icon
 * until they are set. While hovered, an empty hot icon shows no icon (a page
 * without one copies the plain icon into it). An icon at the left (alignment
 * 0) pushes the text right by the unchecked icon's width and the placement's
 * horizontal offset. The whole control answers the mouse.
 *
 * \code
 * auto *keep = new TAVQtLib::TAVQCheckBox(window);
 * keep->setGeometry(10, 10, 160, 24);
 * keep->setText(QStringLiteral("Keep receipt"));
 * keep->setChecked(true);
 * QObject::connect(keep, &QCheckBox::toggled, window, [](bool on) { qDebug() << on; });
 * \endcode
 *
 * \par Signals
 * Those of QCheckBox, through Qt's own press and release handling:
 * `pressed()`, `released()`, `clicked(bool)`, `toggled(bool)` and
 * `stateChanged(int)`.
 *
 * \par Repainting
 * Qt's `setText()` and `setChecked()` repaint; the setters of the look change
 * only what the next paint draws: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQCheckBox : public TAVQToggleControl<QCheckBox>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The icon shown unchecked (iconPath(), setIconPath()).
    Q_PROPERTY(QString iconPath READ iconPath WRITE setIconPath)
    /// The icon shown unchecked while hovered (hotIconPath(), setHotIconPath()).
    Q_PROPERTY(QString hotIconPath READ hotIconPath WRITE setHotIconPath)
    /// The icon shown checked (checkedIconPath(), setCheckedIconPath()).
    Q_PROPERTY(QString checkedIconPath READ checkedIconPath WRITE setCheckedIconPath)
    /// The icon shown checked while hovered (checkedHotIconPath(), setCheckedHotIconPath()).
    Q_PROPERTY(QString checkedHotIconPath READ checkedHotIconPath WRITE setCheckedHotIconPath)
    /// The icon shown unchecked while disabled (disabledIconPath(), setDisabledIconPath()).
    Q_PROPERTY(QString disabledIconPath READ disabledIconPath WRITE setDisabledIconPath)
    /// The icon shown checked while disabled (disabledCheckedIconPath(), setDisabledCheckedIconPath()).
    Q_PROPERTY(QString disabledCheckedIconPath READ disabledCheckedIconPath WRITE setDisabledCheckedIconPath)
    /// Whether the icon is drawn (showIcon(), setShowIcon()).
    Q_PROPERTY(bool showIcon READ showIcon WRITE setShowIcon)
    /// Whether the text is drawn (showText(), setShowText()).
    Q_PROPERTY(bool showText READ showText WRITE setShowText)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQCheckBox(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQCheckBox() override;

    /// "qtcheckbox".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0–3 box per state
    /// unchecked, 4–7 checked, 8 the unchecked text, 9 the checked text) and
    /// "attr" keys; an "attr" without "text" clears the text.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the icon shown unchecked while the control is disabled; empty (the
    /// default) for none.
    void setDisabledIconPath(const QString &path);
    /// The icon shown unchecked while the control is disabled.
    QString disabledIconPath() const;
    /// Sets the icon shown checked while the control is disabled; empty (the
    /// default) for none.
    void setDisabledCheckedIconPath(const QString &path);
    /// The icon shown checked while the control is disabled.
    QString disabledCheckedIconPath() const;

protected:
    /// The whole control answers the mouse, not only Qt's indicator and label.
    bool hitButton(const QPoint &pos) const override;

private:
    TAVQ_DECLARE_IMPL(TAVQCheckBox)
};

/**
 * \brief A radio button painted from box and font styles, with an icon per
 * check state; page type "qtradiobox" (also "radio" and "radiobox").
 *
 * It has no icons by default. While hovered, an empty hot icon shows the plain
 * one. A shown icon pushes the text right by its width and 2 pixels, wherever
 * the icon is placed.
 *
 * Releasing the mouse after a press on the button toggles it, even with the
 * pointer off the button by then, instead of Qt's click handling; Qt's
 * auto-exclusive grouping still applies, so the checked button of a group stays
 * checked. The keyboard (Space) still goes through Qt's click handling.
 *
 * \code
 * auto *cash = new TAVQtLib::TAVQRadioButton(window);
 * cash->setText(QStringLiteral("Cash"));
 * cash->setIconPath(QStringLiteral("radio_off.png"));
 * cash->setCheckedIconPath(QStringLiteral("radio_on.png"));
 * QObject::connect(cash, &QRadioButton::toggled, window, [](bool on) { qDebug() << on; });
 * \endcode
 *
 * \par Signals
 * `toggled(bool)` of QRadioButton. The mouse never emits `pressed()`,
 * `released()` or `clicked(bool)`; the Space key does, as for any QRadioButton.
 *
 * \par Repainting
 * Qt's `setText()` and `setChecked()` repaint; the setters of the look change
 * only what the next paint draws: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQRadioButton : public TAVQToggleControl<QRadioButton>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The icon shown unchecked (iconPath(), setIconPath()).
    Q_PROPERTY(QString iconPath READ iconPath WRITE setIconPath)
    /// The icon shown unchecked while hovered (hotIconPath(), setHotIconPath()).
    Q_PROPERTY(QString hotIconPath READ hotIconPath WRITE setHotIconPath)
    /// The icon shown checked (checkedIconPath(), setCheckedIconPath()).
    Q_PROPERTY(QString checkedIconPath READ checkedIconPath WRITE setCheckedIconPath)
    /// The icon shown checked while hovered (checkedHotIconPath(), setCheckedHotIconPath()).
    Q_PROPERTY(QString checkedHotIconPath READ checkedHotIconPath WRITE setCheckedHotIconPath)
    /// Whether the icon is drawn (showIcon(), setShowIcon()).
    Q_PROPERTY(bool showIcon READ showIcon WRITE setShowIcon)
    /// Whether the text is drawn (showText(), setShowText()).
    Q_PROPERTY(bool showText READ showText WRITE setShowText)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQRadioButton(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQRadioButton() override;

    /// "qtradiobox".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0–3 box per state
    /// unchecked, 4–7 checked, 8 the text in both check states, 9 the checked
    /// text) and "attr" keys; an "attr" without "text" clears the text, and an
    /// icon alignment of -1 is ignored.
    bool LoadFromJson(const Json::Value &element) override;

protected:
    /// Shows the pressed state; Qt's press handling is not run.
    void mousePressEvent(QMouseEvent *event) override;
    /// Toggles the button (emitting toggled(bool)) and shows the normal state;
    /// Qt's release handling is not run.
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQRadioButton)
};

} // namespace TAVQtLib

#endif
