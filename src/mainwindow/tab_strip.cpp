#include "tab_strip.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace pellimo {

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {
    // The tabs keep their own widths and the body draws its own border, as on a tab widget.
    setExpanding(false);
    setDrawBase(false);
    // A click on a tab moves the focus to the strip, so the box left is checked before the page changes.
    setFocusPolicy(Qt::StrongFocus);
}

QRect TabStrip::clientArea() const {
    const int border = borderWidth();
    return body().adjusted(border, border, -border, -border).translated(pos());
}

QRect TabStrip::body() const {
    const int tabRowHeight = count() > 0 ? tabRect(0).height() : 0;
    return rect().adjusted(0, tabRowHeight, 0, 0);
}

int TabStrip::borderWidth() const {
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
}

void TabStrip::paintEvent(QPaintEvent* event) {
    {
        QStylePainter painter(this);
        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(this);
        frame.rect = body();
        frame.shape = shape();
        frame.lineWidth = borderWidth();
        if (currentIndex() >= 0)
            frame.selectedTabRect = tabRect(currentIndex());
        painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
    }
    QTabBar::paintEvent(event);
}

} // namespace pellimo
