// Shared steps of the window designs: add a control to a form, give it its caption or picture and place
// it, in twips relative to its container (nullptr: the form). Each returns the control for the settings
// that are the design's own.
#pragma once

#include <string>
#include <string_view>

#include "platform/control.h"

namespace zenkor {

platform::Control& AddFrame(platform::Form& form, std::string_view name, int index,
                            platform::Control* container, std::string_view caption, int left, int top,
                            int width, int height);

platform::Control& AddButton(platform::Form& form, std::string_view name, int index,
                             platform::Control* container, std::string_view caption, int left, int top,
                             int width, int height);

// A transparent, borderless label: the text stands on whatever is behind it.
platform::Control& AddLabel(platform::Form& form, std::string_view name, int index,
                            platform::Control* container, std::string_view caption, int left, int top,
                            int width, int height);

platform::Control& AddTextBox(platform::Form& form, std::string_view name, int index,
                              platform::Control* container, int left, int top, int width, int height);

// The path of a picture shipped or downloaded beside the program; "" (no picture) when it is not there.
std::string PictureFile(std::string_view name);

// A borderless, stretched picture of a file beside the program; none when the file is not there (or is "").
platform::Control& AddPicture(platform::Form& form, std::string_view name, int index,
                              platform::Control* container, std::string_view file, int left, int top,
                              int width, int height);

}  // namespace zenkor
