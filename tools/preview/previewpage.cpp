#include "previewpage.h"

#include "core/tavqcontrolbase.h"
#include "base/tavqjson.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "resources/tavqresourcemanager.h"
#include "resources/tavqstyle.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QWidget>

#include <algorithm>

namespace TAVQtLib {
namespace Preview {

using namespace JsonRead;

namespace {

// Notes, in creation order, every control the builder parents under the host
// or under a control it noted before. The builder creates controls in the
// order of their elements, so the two lists can be laid side by side.
class BuildRecorder : public QObject
{
public:
    explicit BuildRecorder(QWidget *host)
        : m_host(host)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~BuildRecorder() override { QCoreApplication::instance()->removeEventFilter(this); }

    const QVector<QPointer<QWidget>> &built() const { return m_built; }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded && (receiver == m_host || m_seen.contains(receiver)))
            note(static_cast<QChildEvent *>(event)->child());
        return false;
    }

private:
    void note(QObject *child)
    {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || m_seen.contains(widget) || !controlInterface(widget))
            return;
        m_seen.insert(widget);
        m_built.append(widget);
    }

    QWidget *m_host;
    QSet<QObject *> m_seen;
    QVector<QPointer<QWidget>> m_built;
};

// The page bytes from where the builder takes them: package, style folder, disk.
QByteArray readPageText(const QString &fileName)
{
    const char *data = nullptr;
    quint32 length = 0;
    if (TAVQResourceManager::instance().fileData(fileName, &data, &length))
        return QByteArray(data, int(length));
    QFile file(TAVQResourceManager::instance().folderPath() + fileName);
    if (!file.exists())
        file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > Limits::MaxDocumentBytes)
        return QByteArray();
    return file.read(Limits::MaxDocumentBytes + 1);
}

// The elements the builder turns into controls, in the order it creates them,
// counted and cut as the builder counts and cuts them.
void collectBuilt(const Json::Value &element, int depth, int *elementsLeft, QVector<const Json::Value *> *out)
{
    if (depth > MaxElementDepth || *elementsLeft <= 0)
        return;
    --*elementsLeft;
    const Json::Value *typeValue = member(element, "type");
    const auto type = typeValue ? stringBytes(*typeValue) : std::nullopt;
    if (!type || *type == "qtscrollbar" || RegisteredControlTypes().count(std::string(type->constData())) == 0)
        return;
    out->append(&element);
    const Json::Value *children = member(element, "child");
    if (children && children->isArray()) {
        const Json::ArrayIndex count = std::min(children->size(), Json::ArrayIndex(Limits::MaxChildElements));
        for (Json::ArrayIndex i = 0; i < count; ++i)
            collectBuilt((*children)[i], depth + 1, elementsLeft, out);
    }
}

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
    m_text = readPageText(page);
    m_lineEnds.clear();
    for (int i = m_text.indexOf('\n'); i >= 0; i = m_text.indexOf('\n', i + 1))
        m_lineEnds.append(i);
    if (m_text.isEmpty() || !parseDocument(m_text.constData(), m_text.constData() + m_text.size(), &m_root))
        return false;
    BuildRecorder recorder(host);
    LoadPage(host, page);
    match(recorder.built());
    return true;
}

void PreviewPage::match(const QVector<QPointer<QWidget>> &built)
{
    QVector<const Json::Value *> elements;
    if (const Json::Value *list = member(m_root, "elements"); list && list->isArray()) {
        int elementsLeft = Limits::MaxPageElements;
        const Json::ArrayIndex count = std::min(list->size(), Json::ArrayIndex(Limits::MaxChildElements));
        for (Json::ArrayIndex i = 0; i < count; ++i)
            collectBuilt((*list)[i], 0, &elementsLeft, &elements);
    }
    // Stop at the first pair that disagrees: better no answer than a wrong one.
    for (int i = 0; i < elements.size() && i < built.size(); ++i) {
        const auto name = optionalBytes(*elements[i], "name");
        if (!built[i] || (name && built[i]->objectName() != QString::fromUtf8(*name)))
            break;
        m_elements.insert(built[i], elements[i]);
    }
}

const Json::Value *PreviewPage::elementOf(QWidget *control) const
{
    return m_elements.value(control, nullptr);
}

QWidget *PreviewPage::controlAt(QWidget *widget) const
{
    for (QWidget *w = widget; w && w != m_host; w = w->parentWidget()) {
        if (m_elements.contains(w))
            return w;
    }
    return nullptr;
}

QWidget *PreviewPage::controlAtLine(int line) const
{
    QWidget *best = nullptr;
    qint64 bestSpan = 0;
    for (auto it = m_elements.constBegin(); it != m_elements.constEnd(); ++it) {
        const qint64 start = it.value()->getOffsetStart();
        const qint64 limit = it.value()->getOffsetLimit();
        if (lineOf(start) > line || lineOf(limit) < line)
            continue;
        if (!best || limit - start < bestSpan) {
            best = it.key();
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
