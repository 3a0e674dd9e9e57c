// Mouse pointers as the designs and handlers set them on a control or a form.
#pragma once

namespace platform {

enum class Pointer {
    Default = 0,  // whatever the control shows by itself
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Size = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
    Hand = 99,  // the custom pointer the designs give their links
};

}  // namespace platform
