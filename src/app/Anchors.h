// Anchoring of a control to the edges of its container: which edges keep
// their distance when the container changes size.
#pragma once

#include <QRect>
#include <QSize>

namespace tarvel {

enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
};

inline constexpr unsigned kAnchorsDefault = AnchorLeft | AnchorTop;

// The control's place in a container of size `current`, given its place in
// the designed container of size `designed`. An edge anchored on both sides
// stretches; one anchored on the far side only moves; one anchored on
// neither keeps its centre in proportion.
QRect AnchoredGeometry(const QRect& design, unsigned anchors, const QSize& designed,
                       const QSize& current);

} // namespace tarvel
