#include "app/Anchors.h"

namespace tarvel {

namespace {

// One axis: start and length of the control, designed and current extent
// of the container.
void anchorAxis(int& start, int& length, bool nearSide, bool farSide, int designed, int current) {
    const int delta = current - designed;
    if (nearSide && farSide)
        length += delta;
    else if (farSide)
        start += delta;
    else if (!nearSide && designed > 0)
        start = (2 * start + length) * current / (2 * designed) - length / 2;
}

} // namespace

QRect AnchoredGeometry(const QRect& design, unsigned anchors, const QSize& designed,
                       const QSize& current) {
    int x = design.x();
    int width = design.width();
    int y = design.y();
    int height = design.height();
    anchorAxis(x, width, anchors & AnchorLeft, anchors & AnchorRight, designed.width(),
               current.width());
    anchorAxis(y, height, anchors & AnchorTop, anchors & AnchorBottom, designed.height(),
               current.height());
    return QRect(x, y, width, height);
}

} // namespace tarvel
