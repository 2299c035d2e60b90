#include "tavqmenu.h"

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
    subMenu->impl()->copyLook(*parentMenu->impl());
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

TAVQMenuBar::TAVQMenuBar(QWidget *parent)
    : TAVQControl<QMenuBar, TAVQMenuBarImpl>(parent)
{
    setAttribute(Qt::WA_MouseTracking);
}

QString TAVQMenuBar::GetTypeName()
{
    return QStringLiteral("qtmenubar");
}

void TAVQMenuBar::mousePressEvent(QMouseEvent *e)
{
    QMenuBar::mousePressEvent(e);
    const int i = actionIndexAt(this, e->pos());
    if (i != -1)
        m_impl->setPressedIndex(i);
}

void TAVQMenuBar::mouseReleaseEvent(QMouseEvent *e)
{
    QMenuBar::mouseReleaseEvent(e);
    if (m_impl->pressedIndex() != -1) {
        m_impl->setPressedIndex(-1);
        update();
    }
}

void TAVQMenuBar::mouseMoveEvent(QMouseEvent *e)
{
    QMenuBar::mouseMoveEvent(e);
    const int i = actionIndexAt(this, e->pos());
    if (i != -1)
        m_impl->setHoverIndex(i);
}

void TAVQMenuBar::leaveEvent(QEvent *e)
{
    QMenuBar::leaveEvent(e);
    m_impl->setHoverIndex(-1);
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

TAVQMenu::TAVQMenu(QWidget *parent)
    : TAVQControl<QMenu, TAVQMenuImpl>(parent)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

QString TAVQMenu::GetTypeName()
{
    return QStringLiteral("qtmenu");
}

void TAVQMenu::mouseMoveEvent(QMouseEvent *e)
{
    QMenu::mouseMoveEvent(e);
    const int i = actionIndexAt(this, e->pos());
    if (i == -1)
        return;
    if (i != m_impl->hoverIndex())
        update();
    m_impl->setHoverIndex(i);
}

void TAVQMenu::hideEvent(QHideEvent *e)
{
    QMenu::hideEvent(e);
    m_impl->setHoverIndex(-1);
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
