#include "tavqlabel_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextLayout>

#include <optional>

#include <json/value.h>

namespace TAVQtLib {

namespace {

constexpr QRgb SelectionColor = qRgb(155, 202, 239);
// Where the document's first line starts inside the control.
const int SelectionInset = 5;

constexpr TAVQKey LabelKeys[] = {{"text", TAVQValueKind::Text}};
// The text style.
constexpr TAVQSlotRange LabelSlots[] = {{0, 0, TAVQStyleKind::Font}};

// The page's "text" (GBK) when the element carries one.
std::optional<QString> pageText(const Json::Value &element, const TAVQControlTable &table)
{
    const Json::Value *attr = JsonRead::member(element, "attr");
    if (!attr)
        return std::nullopt;
    const std::optional<QByteArray> bytes = TAVQKeyReader(table.keys, *attr).optionalBytes("text");
    if (!bytes)
        return std::nullopt;
    return fromGbk(*bytes);
}

// Only the selection reacts to the mouse, and only while the label lets it in.
bool acceptsMouse(const QLabel *label)
{
    return label->textInteractionFlags() != Qt::NoTextInteraction;
}

// The window text of every colour group in `color`; without a colour of its
// own the label goes back to the application's.
void applyTextColor(QLabel *widget, const QColor &color)
{
    const QPalette defaults = color.isValid() ? QPalette() : QApplication::palette(widget);
    QPalette palette = widget->palette();
    bool changed = false;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QBrush brush = color.isValid() ? QBrush(color) : defaults.brush(group, QPalette::WindowText);
        changed = changed || palette.brush(group, QPalette::WindowText) != brush;
        palette.setBrush(group, QPalette::WindowText, brush);
    }
    // A label without a palette of its own that already shows the application's
    // colour is left alone: setting an equal palette still resolves and
    // propagates it, the costliest step of building an unstyled label.
    if (!changed && !color.isValid() && !widget->testAttribute(Qt::WA_SetPalette))
        return;
    widget->setPalette(palette);
}

} // namespace

// TAVQLabelFonts

void TAVQLabelFonts::set(int state, const TAVQFontStyle &style)
{
    if (state == StateNormal || state == StateAll)
        m_fontStyle = style;
    if (state != StateNormal)
        m_fontStyle2 = style;
}

void TAVQLabelFonts::load(const Json::Value &element, const TAVQControlTable &table)
{
    TAVQStyleSlots::visit(element, table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findFont(name, &m_fontStyle);
    });
}

QColor TAVQLabelFonts::textColor(const QWidget *widget) const
{
    if (m_fontStyle.color.isValid() || !widget)
        return m_fontStyle.color;
    return widget->palette().color(QPalette::WindowText);
}

// TAVQLabelImpl

const TAVQControlTable TAVQLabelImpl::Table{LabelKeys, LabelSlots};

TAVQLabelImpl::TAVQLabelImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

QLabel *TAVQLabelImpl::label() const
{
    return static_cast<QLabel *>(m_widget);
}

bool TAVQLabelImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    m_fonts.load(element, Table);
    if (const std::optional<QString> text = pageText(element, Table))
        static_cast<TAVQLabel *>(m_widget)->setText(*text);
    applyStyle();
    return loaded;
}

void TAVQLabelImpl::setFontStyle(int state, const TAVQFontStyle &style)
{
    m_fonts.set(state, style);
    applyStyle();
}

void TAVQLabelImpl::setTextColor(const QColor &color)
{
    m_fonts.setColor(color);
    applyStyle();
}

void TAVQLabelImpl::applyStyle()
{
    QLabel *const widget = label();
    const TAVQFontStyle &style = m_fonts.current();
    widget->setFont(style.font());
    applyTextColor(widget, style.color);
    widget->setAlignment(TAVQPaint::alignmentOf(style));
}

QString TAVQLabelImpl::elidedText() const
{
    const int mode = m_fonts.current().elide;
    // Only the three eliding modes shorten; 3 and unknown values keep the text.
    if (mode < Qt::ElideLeft || mode > Qt::ElideMiddle)
        return m_fullText;
    const QFontMetrics metrics(m_fonts.current().font());
    return metrics.elidedText(m_fullText, Qt::TextElideMode(mode), m_widget->width());
}

void TAVQLabelImpl::Draw(QPainter *painter, const QRect &rect)
{
    TAVQFontStyle style = m_fonts.current();
    style.color = m_fonts.textColor(m_widget);
    paintText(painter, label()->text(), style, rect);
}

// TAVQLabel

TAVQ_DEFINE_IMPL(TAVQLabel)

TAVQLabel::TAVQLabel(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQLabelImpl(widget); })
{
    setText(QStringLiteral("label"));
}

TAVQLabel::~TAVQLabel() = default;

QString TAVQLabel::GetTypeName()
{
    return QStringLiteral("qtlabel");
}

bool TAVQLabel::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQLabelImpl>(element);
}

QString TAVQLabel::fullText() const { return d_func()->fullText(); }
void TAVQLabel::setTextColor(const QColor &color) { d_func()->setTextColor(color); }
void TAVQLabel::setFontStyle(int state, const TAVQFontStyle &style) { d_func()->setFontStyle(state, style); }
const TAVQFontStyle &TAVQLabel::fontStyle() const { return d_func()->fonts().current(); }
const TAVQFontStyle &TAVQLabel::secondFontStyle() const { return d_func()->fonts().second(); }

void TAVQLabel::setText(const QString &text)
{
    d_func()->setFullText(text);
    QLabel::setText(text);
}

void TAVQLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
}

void TAVQLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    QLabel::setText(d_func()->elidedText());
}

// TAVQLabelExImpl

const TAVQControlTable TAVQLabelExImpl::Table{LabelKeys, LabelSlots};

TAVQLabelExImpl::TAVQLabelExImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
    m_document.setPlainText(QStringLiteral("label"));
}

bool TAVQLabelExImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    m_fonts.load(element, Table);
    if (const std::optional<QString> text = pageText(element, Table))
        m_document.setPlainText(*text);
    m_document.setDefaultFont(m_fonts.current().font());
    return loaded;
}

void TAVQLabelExImpl::resetSelection()
{
    m_anchor = TAVQTextPosition();
    m_focus = TAVQTextPosition();
}

void TAVQLabelExImpl::setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b)
{
    const bool bFirst = b.block < a.block || b.line < a.line || b.cursor < a.cursor;
    m_anchor = bFirst ? b : a;
    m_focus = bFirst ? a : b;
}

void TAVQLabelExImpl::ensureLaidOut() const
{
    m_document.documentLayout()->documentSize();
}

TAVQTextPosition TAVQLabelExImpl::hitTest(const QPoint &point) const
{
    ensureLaidOut();
    int blockIndex = 0;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next(), ++blockIndex) {
        const QTextLayout *layout = block.layout();
        if (!layout)
            continue;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (line.rect().contains(point))
                return TAVQTextPosition{blockIndex, i, line.xToCursor(point.x(), QTextLine::CursorBetweenCharacters)};
        }
    }
    return TAVQTextPosition();
}

TAVQTextPosition TAVQLabelExImpl::selectionEnd() const
{
    ensureLaidOut();
    TAVQTextPosition end;
    end.block = m_document.blockCount();
    const QTextLayout *layout = m_document.begin().layout();
    if (!layout || layout->lineCount() == 0)
        return end;
    end.line = layout->lineCount() - 1;
    end.cursor = m_document.characterCount() - 1;
    return end;
}

void TAVQLabelExImpl::OnMousePress(QMouseEvent *) {}

void TAVQLabelExImpl::OnMouseRelease(QMouseEvent *)
{
    m_widget->setMouseTracking(false);
    m_widget->repaint();
}

void TAVQLabelExImpl::OnMouseMove(QMouseEvent *event)
{
    const TAVQTextPosition hit = hitTest(event->pos());
    if (hit == m_focus)
        return;
    m_focus = hit;
    m_widget->repaint();
}

void TAVQLabelExImpl::OnMouseDoubleClick(QMouseEvent *)
{
    m_anchor = TAVQTextPosition{0, 0, 0};
    m_document.setPageSize(QSizeF(m_widget->size() + QSize(20, 10)));
    m_focus = selectionEnd();
    m_widget->repaint();
}

void TAVQLabelExImpl::paintSelection(QPainter *painter) const
{
    const QTextLayout *layout = m_document.begin().layout();
    if (!layout)
        return;
    // The selection is whatever the program set; only the lines that exist
    // are painted, as a text layout clamps its selections to its text.
    const int lineCount = layout->lineCount();
    const auto lineAt = [layout, lineCount](int i) {
        return i >= 0 && i < lineCount ? layout->lineAt(i) : QTextLine();
    };
    const QTextLine anchorLine = lineAt(m_anchor.line);
    const QTextLine focusLine = lineAt(m_focus.line);

    const auto fill = [painter](int x, const QTextLine &line, int width) {
        painter->fillRect(QRectF(x, int(line.y() + SelectionInset), width, line.height()), QColor(SelectionColor));
    };
    const auto cursorX = [](const QTextLine &line, int cursor) { return int(line.cursorToX(cursor)); };

    if (m_anchor.line == m_focus.line) {
        if (anchorLine.isValid()) {
            const int from = cursorX(anchorLine, m_anchor.cursor);
            fill(from + SelectionInset, anchorLine, cursorX(anchorLine, m_focus.cursor) - from);
        }
        return;
    }
    if (anchorLine.isValid()) {
        const int from = cursorX(anchorLine, m_anchor.cursor);
        fill(from + SelectionInset, anchorLine, int(anchorLine.naturalTextWidth()) - from);
    }
    if (focusLine.isValid())
        fill(SelectionInset, focusLine, cursorX(focusLine, m_focus.cursor));
    const int betweenEnd = qBound(0, m_focus.line, lineCount);
    for (int i = qBound(-1, m_anchor.line, lineCount) + 1; i < betweenEnd; ++i) {
        const QTextLine line = layout->lineAt(i);
        fill(SelectionInset, line, int(line.naturalTextWidth()));
    }
}

void TAVQLabelExImpl::Draw(QPainter *painter, const QRect &rect)
{
    painter->save();
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->translate(rect.topLeft());
    m_document.setPageSize(QSizeF(rect.size()));

    if (!m_anchor.isNull() && !m_focus.isNull())
        paintSelection(painter);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, m_fonts.textColor(m_widget));
    m_document.documentLayout()->draw(painter, context);
    painter->restore();
}

// TAVQLabelEx

TAVQ_DEFINE_IMPL(TAVQLabelEx)

TAVQLabelEx::TAVQLabelEx(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQLabelExImpl(widget); })
{
}

TAVQLabelEx::~TAVQLabelEx() = default;

QString TAVQLabelEx::GetTypeName()
{
    return QStringLiteral("qtlabelex");
}

bool TAVQLabelEx::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQLabelExImpl>(element);
}

void TAVQLabelEx::setHtml(const QString &html) { d_func()->document()->setHtml(html); }
void TAVQLabelEx::setPlainText(const QString &text) { d_func()->document()->setPlainText(text); }
QString TAVQLabelEx::toHtml() const { return d_func()->document()->toHtml(); }
QString TAVQLabelEx::toPlainText() const { return d_func()->document()->toPlainText(); }
const QTextDocument *TAVQLabelEx::document() const { return d_func()->document(); }
void TAVQLabelEx::setTextColor(const QColor &color) { d_func()->setTextColor(color); }
void TAVQLabelEx::setFontStyle(int state, const TAVQFontStyle &style) { d_func()->setFontStyle(state, style); }
const TAVQFontStyle &TAVQLabelEx::fontStyle() const { return d_func()->fonts().current(); }
const TAVQFontStyle &TAVQLabelEx::secondFontStyle() const { return d_func()->fonts().second(); }
void TAVQLabelEx::resetSelection() { d_func()->resetSelection(); }
TAVQTextPosition TAVQLabelEx::hitTest(const QPoint &point) const { return d_func()->hitTest(point); }
TAVQTextPosition TAVQLabelEx::selectionStart() const { return TAVQTextPosition{0, 0, 0}; }
TAVQTextPosition TAVQLabelEx::selectionEnd() const { return d_func()->selectionEnd(); }
void TAVQLabelEx::setSelection(const TAVQTextPosition &a, const TAVQTextPosition &b) { d_func()->setSelection(a, b); }
TAVQTextPosition TAVQLabelEx::anchor() const { return d_func()->anchor(); }
TAVQTextPosition TAVQLabelEx::focus() const { return d_func()->focus(); }

// Only the selection reacts to the mouse; the label's own handlers stay out.
void TAVQLabelEx::mousePressEvent(QMouseEvent *event)
{
    if (acceptsMouse(this))
        d_func()->OnMousePress(event);
}

void TAVQLabelEx::mouseReleaseEvent(QMouseEvent *event)
{
    if (acceptsMouse(this))
        d_func()->OnMouseRelease(event);
}

void TAVQLabelEx::mouseMoveEvent(QMouseEvent *event)
{
    if (acceptsMouse(this))
        d_func()->OnMouseMove(event);
}

void TAVQLabelEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (acceptsMouse(this))
        d_func()->OnMouseDoubleClick(event);
}

// Keeps the document laid out at the control's width, so hit tests made before
// the next paint see the lines that paint shows.
void TAVQLabelEx::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    d_func()->document()->setPageSize(QSizeF(event->size()));
}

} // namespace TAVQtLib
