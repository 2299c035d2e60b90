#include "tavqmenu_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqruntime.h"
#include "core/tavqstyleslots_p.h"
#include "resources/tavqpaint.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include <json/value.h>

namespace TAVQtLib {

namespace {

// The style names a menu file gives; its item lists are read as they stand.
constexpr TAVQKey MenuFileKeys[] = {
    {"background", TAVQValueKind::Text}, {"item0", TAVQValueKind::Text}, {"item1", TAVQValueKind::Text},
    {"item2", TAVQValueKind::Text},      {"item3", TAVQValueKind::Text}, {"text0", TAVQValueKind::Text},
    {"text1", TAVQValueKind::Text},      {"text2", TAVQValueKind::Text}, {"text3", TAVQValueKind::Text},
};
// The text of a menu item.
constexpr TAVQKey MenuItemKeys[] = {{"text", TAVQValueKind::Text}};

// Index of the first action whose geometry holds `pos`, or -1.
template <typename Widget>
int actionIndexAt(const Widget *widget, const QPoint &pos)
{
    const QList<QAction *> actions = widget->actions();
    for (int i = 0; i < actions.size(); ++i) {
        if (widget->actionGeometry(actions.at(i)).contains(pos))
            return i;
    }
    return -1;
}

void paintItem(QPainter *painter, const QAction *action, const QRect &r, const TAVQBoxStyle &box,
               const TAVQFontStyle &font)
{
    TAVQControlBaseImpl::paintBox(painter, box, r);
    TAVQControlBaseImpl::paintText(painter, action->text(), font, r);
}

void paintSubMenuMark(QPainter *painter, const QRect &r)
{
    const int right = r.left() + r.width() - 1;
    const int middle = r.top() + r.height() / 2;
    const QPolygon triangle({QPoint(right - 2, middle), QPoint(right - 7, middle - 5), QPoint(right - 7, middle + 5)});
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(204, 204, 204));
    painter->drawPolygon(triangle);
    painter->restore();
}

// A menu file is built as a page is: its items count as elements.
struct MenuBudget
{
    int itemsLeft = Limits::MaxPageElements;
};

void addMenuItem(TAVQMenu *menu, const Json::Value &item, int depth, MenuBudget *budget);

TAVQMenu *createSubMenu(TAVQMenu *parentMenu, const QString &title)
{
    TAVQMenu *subMenu = new TAVQMenu(parentMenu);
    subMenu->setTitle(title);
    static_cast<TAVQMenuImpl *>(subMenu->GetImpl())->copyLook(*static_cast<TAVQMenuImpl *>(parentMenu->GetImpl()));
    return subMenu;
}

void addMenuItems(TAVQMenu *menu, const Json::Value &items, int depth, MenuBudget *budget)
{
    if (!items.isArray() || depth > MaxElementDepth)
        return;
    const Json::ArrayIndex count = std::min(items.size(), Json::ArrayIndex(Limits::MaxChildElements));
    for (Json::ArrayIndex i = 0; i < count && budget->itemsLeft > 0; ++i) {
        --budget->itemsLeft;
        addMenuItem(menu, items[i], depth, budget);
    }
}

void addMenuItem(TAVQMenu *menu, const Json::Value &item, int depth, MenuBudget *budget)
{
    if (!item.isObject())
        return;
    const QString text = QString::fromUtf8(TAVQKeyReader(MenuItemKeys, item).bytesMember("text"));
    const Json::Value *children = JsonRead::member(item, "items");
    if (!children || !children->isArray()) {
        menu->addAction(text);
        return;
    }
    TAVQMenu *subMenu = createSubMenu(menu, text);
    menu->addMenu(subMenu);
    addMenuItems(subMenu, *children, depth + 1, budget);
}

} // namespace

// TAVQMenuBarImpl

const TAVQControlTable TAVQMenuBarImpl::Table{};

TAVQMenuBarImpl::TAVQMenuBarImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

void TAVQMenuBarImpl::setItemBox(int state, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_itemBoxes, state, style);
}

void TAVQMenuBarImpl::setItemFont(int state, const TAVQFontStyle &style)
{
    TAVQStyleSlots::storeForState(m_itemFonts, state, style);
}

void TAVQMenuBarImpl::setHoverIndex(int index)
{
    if (index == m_hoverIndex)
        return;
    m_hoverIndex = index;
    m_widget->update();
}

void TAVQMenuBarImpl::Draw(QPainter *painter, const QRect &rect)
{
    const QMenuBar *bar = static_cast<QMenuBar *>(m_widget);
    const QRect shown = TAVQPaint::visibleArea(painter, rect);
    const QList<QAction *> actions = bar->actions();
    for (int i = 0; i < actions.size(); ++i) {
        const QRect r = bar->actionGeometry(actions.at(i));
        if (!r.intersects(shown))
            continue;
        const size_t state = i == m_pressedIndex ? StatePressed : i == m_hoverIndex ? StateHover : StateNormal;
        paintItem(painter, actions.at(i), r, m_itemBoxes[state], m_itemFonts[state]);
    }
}

// TAVQMenuBar

TAVQ_DEFINE_IMPL(TAVQMenuBar)

TAVQMenuBar::TAVQMenuBar(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQMenuBarImpl(widget); })
{
    setAttribute(Qt::WA_MouseTracking);
}

TAVQMenuBar::~TAVQMenuBar() = default;

QString TAVQMenuBar::GetTypeName()
{
    return QStringLiteral("qtmenubar");
}

bool TAVQMenuBar::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQMenuBarImpl>(element);
}

void TAVQMenuBar::setItemBox(int state, const TAVQBoxStyle &style) { d_func()->setItemBox(state, style); }
const TAVQBoxStyle &TAVQMenuBar::itemBox(int state) const { return d_func()->itemBox(state); }
void TAVQMenuBar::setItemFont(int state, const TAVQFontStyle &style) { d_func()->setItemFont(state, style); }
const TAVQFontStyle &TAVQMenuBar::itemFont(int state) const { return d_func()->itemFont(state); }
int TAVQMenuBar::hoverIndex() const { return d_func()->hoverIndex(); }
int TAVQMenuBar::pressedIndex() const { return d_func()->pressedIndex(); }

void TAVQMenuBar::mousePressEvent(QMouseEvent *e)
{
    QMenuBar::mousePressEvent(e);
    const int i = actionIndexAt(this, e->pos());
    if (i != -1)
        d_func()->setPressedIndex(i);
}

void TAVQMenuBar::mouseReleaseEvent(QMouseEvent *e)
{
    QMenuBar::mouseReleaseEvent(e);
    if (d_func()->pressedIndex() != -1) {
        d_func()->setPressedIndex(-1);
        update();
    }
}

void TAVQMenuBar::mouseMoveEvent(QMouseEvent *e)
{
    QMenuBar::mouseMoveEvent(e);
    const int i = actionIndexAt(this, e->pos());
    if (i != -1)
        d_func()->setHoverIndex(i);
}

void TAVQMenuBar::leaveEvent(QEvent *e)
{
    QMenuBar::leaveEvent(e);
    d_func()->setHoverIndex(-1);
}

// TAVQMenuImpl

TAVQMenuImpl::TAVQMenuImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQMenuImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    // Without a background the file carries no look of its own.
    if (JsonRead::member(element, "background"))
        loadStyles(element);
    if (const Json::Value *items = JsonRead::member(element, "items")) {
        MenuBudget budget;
        addMenuItems(static_cast<TAVQMenu *>(m_widget), *items, 0, &budget);
    }
    return loaded;
}

void TAVQMenuImpl::loadStyles(const Json::Value &element)
{
    // A missing key, or one asString refuses (an array, an object), reads as the
    // empty name, which never resolves.
    const TAVQKeyReader file(MenuFileKeys, element);
    TAVQBoxStyle box;
    if (GetBoxStyle(file.bytesMember("background").constData(), box))
        m_background = box;
    static const char *const boxKeys[] = {"item0", "item1", "item2", "item3"};
    static const char *const fontKeys[] = {"text0", "text1", "text2", "text3"};
    for (int state = 0; state < 4; ++state) {
        box = TAVQBoxStyle();
        if (GetBoxStyle(file.bytesMember(boxKeys[state]).constData(), box))
            TAVQStyleSlots::setPerState(m_itemBoxes, state, box);
    }
    for (int state = 0; state < 4; ++state) {
        TAVQFontStyle font;
        if (GetFontStyle(file.bytesMember(fontKeys[state]).constData(), font))
            TAVQStyleSlots::setPerState(m_itemFonts, state, font);
    }
}

void TAVQMenuImpl::setItemBox(int state, const TAVQBoxStyle &style)
{
    if (isSingleState(state))
        m_itemBoxes[size_t(state)] = style;
}

void TAVQMenuImpl::setItemFont(int state, const TAVQFontStyle &style)
{
    if (isSingleState(state))
        m_itemFonts[size_t(state)] = style;
}

void TAVQMenuImpl::copyLook(const TAVQMenuImpl &other)
{
    m_background = other.m_background;
    m_itemBoxes = other.m_itemBoxes;
    m_itemFonts = other.m_itemFonts;
}

void TAVQMenuImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_background, rect);
    const QMenu *menu = static_cast<QMenu *>(m_widget);
    const QRect shown = TAVQPaint::visibleArea(painter, rect);
    const QList<QAction *> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction *action = actions.at(i);
        const QRect r = menu->actionGeometry(action);
        if (!r.intersects(shown))
            continue;
        // A separator never shows as highlighted.
        const size_t state = i == m_hoverIndex && !action->isSeparator() ? StateHover : StateNormal;
        paintItem(painter, action, r, m_itemBoxes[state], m_itemFonts[state]);
        if (action->menu())
            paintSubMenuMark(painter, r);
    }
}

// TAVQMenu

TAVQ_DEFINE_IMPL(TAVQMenu)

TAVQMenu::TAVQMenu(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQMenuImpl(widget); })
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

TAVQMenu::~TAVQMenu() = default;

QString TAVQMenu::GetTypeName()
{
    return QStringLiteral("qtmenu");
}

bool TAVQMenu::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQMenuImpl>(element);
}

void TAVQMenu::setBackground(const TAVQBoxStyle &style) { d_func()->setBackground(style); }
const TAVQBoxStyle &TAVQMenu::background() const { return d_func()->background(); }
void TAVQMenu::setItemBox(int state, const TAVQBoxStyle &style) { d_func()->setItemBox(state, style); }
const TAVQBoxStyle &TAVQMenu::itemBox(int state) const { return d_func()->itemBox(state); }
void TAVQMenu::setItemFont(int state, const TAVQFontStyle &style) { d_func()->setItemFont(state, style); }
const TAVQFontStyle &TAVQMenu::itemFont(int state) const { return d_func()->itemFont(state); }
int TAVQMenu::hoverIndex() const { return d_func()->hoverIndex(); }

void TAVQMenu::mouseMoveEvent(QMouseEvent *e)
{
    QMenu::mouseMoveEvent(e);
    const int i = actionIndexAt(this, e->pos());
    if (i == -1)
        return;
    if (i != d_func()->hoverIndex())
        update();
    d_func()->setHoverIndex(i);
}

// The menu's look does not follow entering and leaving: QMenu's handling only.
void TAVQMenu::enterEvent(TAVQEnterEvent *e)
{
    QMenu::enterEvent(e);
}

void TAVQMenu::leaveEvent(QEvent *e)
{
    QMenu::leaveEvent(e);
}

void TAVQMenu::hideEvent(QHideEvent *e)
{
    QMenu::hideEvent(e);
    d_func()->setHoverIndex(-1);
}

TAVQMenu *LoadMenu(QWidget *parent, const QString &fileName)
{
    Json::Value root;
    if (!ReadPage(fileName, &root))
        return nullptr;
    TAVQMenu *menu = new TAVQMenu(parent);
    menu->LoadFromJson(root);
    return menu;
}

} // namespace TAVQtLib
