#include "tavqimage_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "resources/tavqresourcemanager.h"

#include <QPainter>

#include <json/value.h>

namespace TAVQtLib {

namespace {

// Offset of a picture inside the control: 1 centre, 2 end, anything else start.
int alignedOffset(int align, int extent, int size)
{
    if (align == 1)
        return (extent - size) / 2;
    if (align == 2)
        return extent - size;
    return 0;
}

constexpr TAVQKey ImageKeys[] = {{"path", TAVQValueKind::Image}, {"fill", TAVQValueKind::Bool}};

} // namespace

const TAVQControlTable TAVQImageImpl::Table{ImageKeys, {}};
const TAVQControlTable TAVQCanvasImpl::Table{};

TAVQImageImpl::TAVQImageImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQImageImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    if (const Json::Value *object = JsonRead::member(element, "attr")) {
        const TAVQKeyReader attr(Table.keys, *object);
        if (const auto path = attr.optionalBytes("path"))
            m_path = QString::fromUtf8(*path);
        m_fill = attr.boolMember("fill", m_fill);
    }
    return loaded;
}

void TAVQImageImpl::setAlign(int horizontal, int vertical)
{
    m_alignH = horizontal;
    m_alignV = vertical;
}

void TAVQImageImpl::OnPaint(QPaintEvent *)
{
    if (!m_widget)
        return;
    QPainter painter(m_widget);
    Draw(&painter, QRect(0, 0, m_widget->width(), m_widget->height()));
}

const QImage *TAVQImageImpl::picture() const
{
    if (m_image)
        return m_image;
    if (m_path.isEmpty())
        return nullptr;
    return TAVQResourceManager::instance().image(m_path);
}

void TAVQImageImpl::Draw(QPainter *painter, const QRect &rect)
{
    const QImage *shown = picture();
    if (!shown || shown->isNull())
        return;
    const int w = m_widget->width();
    const int h = m_widget->height();
    if (m_fill) {
        painter->drawImage(QRect(rect.left(), rect.top(), w, h), *shown);
        return;
    }
    const int dx = alignedOffset(m_alignH, w, shown->width());
    const int dy = alignedOffset(m_alignV, h, shown->height());
    painter->drawImage(QPoint(rect.left() + dx, rect.top() + dy), *shown);
}

// TAVQImage

TAVQ_DEFINE_IMPL(TAVQImage)

TAVQImage::TAVQImage(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQImageImpl(widget); })
{
}

TAVQImage::~TAVQImage() = default;

QString TAVQImage::GetTypeName()
{
    return QStringLiteral("qtpicture");
}

bool TAVQImage::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQImageImpl>(element);
}

void TAVQImage::setPath(const QString &path)
{
    d_func()->setPath(path);
    update();
}

QString TAVQImage::path() const { return d_func()->path(); }
void TAVQImage::setImage(QImage *image) { d_func()->setImage(image); }
QImage *TAVQImage::image() const { return d_func()->image(); }
void TAVQImage::setFill(bool fill) { d_func()->setFill(fill); }
bool TAVQImage::fill() const { return d_func()->fill(); }
void TAVQImage::setAlign(int horizontal, int vertical) { d_func()->setAlign(horizontal, vertical); }
int TAVQImage::alignH() const { return d_func()->alignH(); }
int TAVQImage::alignV() const { return d_func()->alignV(); }

// TAVQCanvas

TAVQCanvasImpl::TAVQCanvasImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQCanvasImpl::LoadAttributes(const Json::Value &element)
{
    return LoadAttrMap(&element);
}

TAVQ_DEFINE_IMPL(TAVQCanvas)

TAVQCanvas::TAVQCanvas(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQCanvasImpl(widget); })
{
}

TAVQCanvas::~TAVQCanvas() = default;

bool TAVQCanvas::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQCanvasImpl>(element);
}

QString TAVQCanvas::GetTypeName()
{
    return QStringLiteral("canvas");
}

} // namespace TAVQtLib
