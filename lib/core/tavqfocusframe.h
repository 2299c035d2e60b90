#ifndef TAVQ_FOCUSFRAME_H
#define TAVQ_FOCUSFRAME_H

#include "tavqtlib_export.h"

#include "resources/tavqstyle.h"

class QPainter;
class QRect;
class QWidget;

namespace TAVQtLib {

/// Keyboard focus is drawn only once the keyboard is in use, as browsers draw it:
/// a key press shows it, a press of a mouse button hides it again. So a page that
/// draws nothing for focus keeps its pixels for mouse users, and a cashier working
/// from the keyboard always sees where the next key goes.
namespace TAVQFocusFrame {

/// Starts following the keyboard and the mouse; InitRuntime() calls it.
TAVQTLIB_EXPORT void install();
/// Whether a key was pressed since the last mouse press.
TAVQTLIB_EXPORT bool isKeyboardActive();
/// Sets that state by hand and repaints the focused control.
TAVQTLIB_EXPORT void setKeyboardActive(bool active);
/// Whether `widget` shows its focus now: it has the focus and the keyboard is in use.
TAVQTLIB_EXPORT bool isShownOn(const QWidget *widget);
/// The frame's look: the style sheet's box style "focus.frame" where it has one,
/// else a 2-pixel blue ring with rounded corners.
TAVQTLIB_EXPORT TAVQBoxStyle style();
/// Paints the frame inside `rect`.
TAVQTLIB_EXPORT void paint(QPainter *painter, const QRect &rect);

} // namespace TAVQFocusFrame

} // namespace TAVQtLib

#endif
