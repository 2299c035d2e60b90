#ifndef TAVQ_PREVIEWPAGE_H
#define TAVQ_PREVIEWPAGE_H

#include "core/tavqelementmap_p.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QVector>

#include <json/value.h>

class QWidget;

namespace TAVQtLib {
namespace Preview {

// A page built into a host as the runtime builds it, together with its text and
// the element each control was made from.
class PreviewPage
{
public:
    // Builds the page file `page` into `host`; false, building nothing, when the
    // page cannot be read or parsed.
    bool load(QWidget *host, const QString &page);

    // The element `control` was built from, or null for widgets no element made.
    const Json::Value *elementOf(QWidget *control) const;
    // `widget` itself when an element made it, else its nearest such ancestor
    // below the host; null when there is none.
    QWidget *controlAt(QWidget *widget) const;
    // The innermost control whose element's text spans the 1-based `line`.
    QWidget *controlAtLine(int line) const;

    // The 1-based line of a byte offset into the text.
    int lineOf(qint64 offset) const;
    // The text of an element as it stands in the page.
    QString sourceOf(const Json::Value &element) const;

private:
    QByteArray m_text;   // the page document as read
    Json::Value m_root;
    QPointer<QWidget> m_host;
    QVector<qint64> m_lineEnds;   // offsets of the newlines
    TAVQElementMap m_elements;    // points into m_root
};

} // namespace Preview
} // namespace TAVQtLib

#endif
