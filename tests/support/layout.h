// Controls' rectangles in twips for the layout checks: where a control lies on its form or in a
// container, and how two rectangles meet.
#pragma once

#include "platform/control.h"

namespace testing_support {

struct Rect {
    int left, top, right, bottom;
};

// The control's rectangle within the container upTo, or on its form without one: its own position plus
// the positions of the containers between.
inline Rect Inside(const platform::Control& c, const platform::Control* upTo = nullptr) {
    Rect r{c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
    for (const platform::Control* p = c.container();
         p != nullptr && p != upTo && p->kind() != platform::Kind::Form; p = p->container()) {
        r = {r.left + p->Left(), r.top + p->Top(), r.right + p->Left(), r.bottom + p->Top()};
    }
    return r;
}

inline bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline bool Encloses(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

}  // namespace testing_support
