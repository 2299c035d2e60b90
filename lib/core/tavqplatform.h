#ifndef TAVQ_PLATFORM_H
#define TAVQ_PLATFORM_H

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWindow>

namespace TAVQtLib {

namespace TAVQPlatform {

// Full path of the running executable.
QString executablePath();

} // namespace TAVQPlatform

// A native window of another toolkit or process that a container keeps over its
// area, addressed by its platform window id.
class TAVQNativeWindow
{
public:
    explicit TAVQNativeWindow(WId id = 0);
    ~TAVQNativeWindow();

    WId id() const { return m_id; }
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
