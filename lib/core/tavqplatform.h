#ifndef TAVQ_PLATFORM_H
#define TAVQ_PLATFORM_H

#include "tavqtlib_export.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWindow>

namespace TAVQtLib {

namespace TAVQPlatform {

// Full path of the running executable.
TAVQTLIB_EXPORT QString executablePath();

} // namespace TAVQPlatform

// A native window of another toolkit or process that a container keeps over its
// area, addressed by its platform window id.
class TAVQTLIB_EXPORT TAVQNativeWindow
{
public:
    // Takes hold of the window `id`; 0, or a platform without foreign windows,
    // leaves nothing to move.
    explicit TAVQNativeWindow(WId id = 0);
    ~TAVQNativeWindow();

    // The platform window id, 0 for none.
    WId id() const { return m_id; }
    // True when no window id was given.
    bool isNull() const { return m_id == 0; }
    // Moves and sizes the window (in its parent's coordinates) and has it repainted.
    void move(const QRect &geometry);

    TAVQNativeWindow(const TAVQNativeWindow &) = delete;
    TAVQNativeWindow &operator=(const TAVQNativeWindow &) = delete;

private:
    WId m_id;
    QPointer<QWindow> m_window;
};

} // namespace TAVQtLib

#endif
