// Drawing styles of a control: text alignment, border, back and scroll bars.
#pragma once

namespace platform {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

enum class BorderStyle { None = 0, FixedSingle = 1 };

// A transparent control shows what is behind it; an opaque one paints its back colour.
enum class BackStyle { Transparent = 0, Opaque = 1 };

// The scroll bars of a multi-line text box.
enum class ScrollBars { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

}  // namespace platform
