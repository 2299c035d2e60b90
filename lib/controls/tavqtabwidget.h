#ifndef TAVQ_TABWIDGET_H
#define TAVQ_TABWIDGET_H

#include "core/tavqcontrol.h"

#include <QStringList>
#include <QWidget>

#include <array>

namespace TAVQtLib {

// Looks of an item; LookAll addresses all four in the setters.
enum TAVQTabLook { TabLookNormal = 0, TabLookHover = 1, TabLookCurrent = 2, TabLookAll = 4 };

class TAVQTabWidgetImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQTabWidgetImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    void addItem(const QString &text) { m_items.append(text); }
    void removeItem(int index);
    void clear() { m_items.clear(); }
    int count() const { return m_items.size(); }
    QString itemText(int index) const { return m_items.value(index); }

    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index) { m_currentIndex = index; }
    int hoverIndex() const { return m_hoverIndex; }
    void setHoverIndex(int index) { m_hoverIndex = index; }

    // Item rectangles follow the widget's current size; items past its edge
    // are laid out all the same.
    QRect itemRect(int index) const;
    // The first item containing `pos`, or -1 (the gaps between items hit nothing).
    int itemAt(const QPoint &pos) const;

    bool isHorizontal() const { return !m_vertical; }
    void setHorizontal(bool horizontal) { m_vertical = !horizontal; }
    int itemSize() const { return m_itemSize; }
    void setItemSize(int size) { m_itemSize = size; }
    int itemSpace() const { return m_itemSpace; }
    void setItemSpace(int space) { m_itemSpace = space; }
    bool showText() const { return m_showText; }
    void setShowText(bool show) { m_showText = show; }

    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    // Looks 0 to 3; 4 sets all four. Other looks change nothing and read as look 0.
    const TAVQBoxStyle &itemStyle(int look) const { return m_itemStyles[index(look)]; }
    void setItemStyle(int look, const TAVQBoxStyle &style);
    const TAVQFontStyle &itemFontStyle(int look) const { return m_itemFontStyles[index(look)]; }
    void setItemFontStyle(int look, const TAVQFontStyle &style);

private:
    static size_t index(int look) { return look > 0 && look < 4 ? size_t(look) : 0; }
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);
    int lookOf(int index) const;

    bool m_showText = true;
    int m_currentIndex = 0;
    int m_hoverIndex = -1;
    int m_itemSpace = 0;
    bool m_vertical = false;
    int m_itemSize = 50;
    QStringList m_items;
    TAVQBoxStyle m_backgroundStyle;
    std::array<TAVQBoxStyle, 4> m_itemStyles;
    std::array<TAVQFontStyle, 4> m_itemFontStyles;
};

// A strip of text items, one of them current. It holds no pages: listeners of
// currentChanged show the matching content.
class TAVQTabWidget : public TAVQControl<QWidget, TAVQTabWidgetImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQTabWidget(QWidget *parent = nullptr);

    QString GetTypeName() override;

    void addItem(const QString &text) { m_impl->addItem(text); }
    void removeItem(int index) { m_impl->removeItem(index); }
    void clear() { m_impl->clear(); }
    int count() const { return m_impl->count(); }
    QString itemText(int index) const { return m_impl->itemText(index); }

    void setCurrentIndex(int index);
    int currentIndex() const { return m_impl->currentIndex(); }
    int hoverIndex() const { return m_impl->hoverIndex(); }
    QRect itemRect(int index) const { return m_impl->itemRect(index); }
    int itemAt(const QPoint &pos) const { return m_impl->itemAt(pos); }

    void setHorizontal(bool horizontal) { m_impl->setHorizontal(horizontal); }
    bool isHorizontal() const { return m_impl->isHorizontal(); }
    void setItemSize(int size) { m_impl->setItemSize(size); }
    int itemSize() const { return m_impl->itemSize(); }
    void setItemSpace(int space) { m_impl->setItemSpace(space); }
    int itemSpace() const { return m_impl->itemSpace(); }
    void setShowText(bool show) { m_impl->setShowText(show); }
    bool showText() const { return m_impl->showText(); }

    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->setBackgroundStyle(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->backgroundStyle(); }
    void setItemStyle(int look, const TAVQBoxStyle &style) { m_impl->setItemStyle(look, style); }
    const TAVQBoxStyle &itemStyle(int look) const { return m_impl->itemStyle(look); }
    void setItemFontStyle(int look, const TAVQFontStyle &style) { m_impl->setItemFontStyle(look, style); }
    const TAVQFontStyle &itemFontStyle(int look) const { return m_impl->itemFontStyle(look); }

signals:
    void currentChanged(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
};

} // namespace TAVQtLib

#endif
