#include "previewpage.h"

#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder_p.h"
#include "resources/tavqpagesource_p.h"
#include "resources/tavqstyle.h"

#include <QWidget>

#include <algorithm>

namespace TAVQtLib {
namespace Preview {

namespace {

QString decodePageText(const QByteArray &bytes)
{
    // Pages written by hand are UTF-8; packed ones carry their texts in GBK.
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.contains(QChar::ReplacementCharacter) ? fromGbk(bytes) : utf8;
}

} // namespace

bool PreviewPage::load(QWidget *host, const QString &page)
{
    m_host = host;
    m_elements.clear();
    m_root = Json::Value();
    // A copy: the package's bytes go when the resources are read again.
    const QByteArray bytes = TAVQPageSource::runtime().document(page).bytes;
    m_text = QByteArray(bytes.constData(), bytes.size());
    m_lineEnds.clear();
    for (int i = m_text.indexOf('\n'); i >= 0; i = m_text.indexOf('\n', i + 1))
        m_lineEnds.append(i);
    if (m_text.isEmpty() || !JsonRead::parseDocument(m_text.constData(), m_text.constData() + m_text.size(), &m_root))
        return false;
    BuildPage(host, m_root, &m_elements);
    return true;
}

const Json::Value *PreviewPage::elementOf(QWidget *control) const
{
    const TAVQMappedElement *entry = m_elements.find(control);
    return entry ? entry->element : nullptr;
}

QWidget *PreviewPage::controlAt(QWidget *widget) const
{
    for (QWidget *w = widget; w && w != m_host; w = w->parentWidget()) {
        if (m_elements.find(w))
            return w;
    }
    return nullptr;
}

QWidget *PreviewPage::controlAtLine(int line) const
{
    QWidget *best = nullptr;
    qint64 bestSpan = 0;
    for (const TAVQMappedElement &entry : m_elements.elements()) {
        const qint64 start = entry.offsetStart();
        const qint64 limit = entry.offsetLimit();
        if (!entry.widget || lineOf(start) > line || lineOf(limit) < line)
            continue;
        if (!best || limit - start < bestSpan) {
            best = entry.widget;
            bestSpan = limit - start;
        }
    }
    return best;
}

int PreviewPage::lineOf(qint64 offset) const
{
    return 1 + int(std::lower_bound(m_lineEnds.constBegin(), m_lineEnds.constEnd(), offset) - m_lineEnds.constBegin());
}

QString PreviewPage::sourceOf(const Json::Value &element) const
{
    const qint64 size = m_text.size();
    const qint64 start = std::clamp<qint64>(element.getOffsetStart(), 0, size);
    const qint64 limit = std::clamp<qint64>(element.getOffsetLimit(), start, size);
    return decodePageText(m_text.mid(int(start), int(limit - start)));
}

} // namespace Preview
} // namespace TAVQtLib
