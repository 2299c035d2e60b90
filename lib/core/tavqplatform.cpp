#include "tavqplatform.h"

#include <QCoreApplication>

namespace TAVQtLib {

QString TAVQPlatform::executablePath()
{
    return QCoreApplication::applicationFilePath();
}

TAVQNativeWindow::TAVQNativeWindow(WId id)
    : m_id(id)
{
    // Platforms without foreign windows (offscreen) give none; moves are then no-ops.
    if (m_id != 0)
        m_window = QWindow::fromWinId(m_id);
}

TAVQNativeWindow::~TAVQNativeWindow()
{
    delete m_window.data();
}

void TAVQNativeWindow::move(const QRect &geometry)
{
    if (!m_window)
        return;
    m_window->setGeometry(geometry);
    m_window->requestUpdate();
}

WId TAVQNativeWindow::id() const
{
    return m_id;
}

bool TAVQNativeWindow::isNull() const
{
    return m_id == 0;
}

} // namespace TAVQtLib
