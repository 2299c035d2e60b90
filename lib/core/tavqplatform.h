#ifndef TAVQ_PLATFORM_H
#define TAVQ_PLATFORM_H

#include "tavqtlib_export.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWindow>

namespace TAVQtLib {

namespace TAVQPlatform {

/// Full path of the running executable.
TAVQTLIB_EXPORT QString executablePath();

} // namespace TAVQPlatform

/**
 * \brief A native window of another toolkit or process that a container keeps
 * over its area, addressed by its platform window id.
 *
 * \code
 * TAVQtLib::TAVQNativeWindow player(playerWindowId);
 * player.move(QRect(0, 0, 320, 240));   // in the parent window's coordinates
 * \endcode
 */
class TAVQTLIB_EXPORT TAVQNativeWindow
{
public:
    /// Takes hold of the window `id`; 0, or a platform without foreign windows,
    /// leaves nothing to move.
    explicit TAVQNativeWindow(WId id = 0);
    /// Lets go of the window; the window itself is not destroyed.
    ~TAVQNativeWindow();

    /// The platform window id, 0 for none.
    WId id() const;
    /// True when no window id was given.
    bool isNull() const;
    /// Moves and sizes the window (in its parent's coordinates) and has it repainted.
    void move(const QRect &geometry);

    /// Not copyable: one holder per window.
    TAVQNativeWindow(const TAVQNativeWindow &) = delete;
    /// Not copyable: one holder per window.
    TAVQNativeWindow &operator=(const TAVQNativeWindow &) = delete;

private:
    WId m_id;
    QPointer<QWindow> m_window;
};

} // namespace TAVQtLib

#endif
