#include "app/TStatusBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace tarvel {

namespace {

// Text keeps this far from a panel's bevel.
constexpr int kTextMargin = 2;

} // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
}

void TStatusBar::SetPanels(std::vector<TStatusPanel> panels) {
    PanelList = std::move(panels);
    update();
}

QRect TStatusBar::PanelRect(size_t index) const {
    int left = 0;
    for (size_t i = 0; i < index && i < PanelList.size(); ++i)
        left += PanelList[i].Width;
    const bool last = index + 1 == PanelList.size();
    const int width = last ? std::max(0, this->width() - left) : PanelList[index].Width;
    return QRect(left, 0, width, height());
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    for (size_t i = 0; i < PanelList.size(); ++i) {
        const QRect panel = PanelRect(i).adjusted(0, 2, -2, 0);
        frame.rect = panel;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
        const QRect textRect = panel.adjusted(kTextMargin, 0, -kTextMargin, 0);
        painter.drawText(textRect, PanelList[i].Alignment | Qt::AlignVCenter,
                         QString::fromStdU16String(PanelList[i].Text));
    }
}

void TStatusBar::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event->button(), static_cast<int>(event->position().x()));
}

} // namespace tarvel
