// Drawing styles of a control: text alignment, border and back.
#pragma once

namespace platform {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

enum class BorderStyle { None = 0, FixedSingle = 1 };

// A transparent control shows what is behind it; an opaque one paints its back colour.
enum class BackStyle { Transparent = 0, Opaque = 1 };

}  // namespace platform
