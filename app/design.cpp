#include "app/design.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/data_folders.h"
#include "platform/runtime.h"

namespace zenkor {

using platform::Control;
using platform::Form;
using platform::Kind;

std::string PictureFile(std::string_view name) {
    const std::filesystem::path file = platform::ReadableFile(name);
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) ? file.string() : std::string();
}

namespace {

Control& place(Form& form, Kind kind, std::string_view name, int index, Control* container, int left, int top,
               int width, int height) {
    Control& c = form.add(kind, name, index, container);
    c.move(left, top, width, height);
    return c;
}

Control& captioned(Form& form, Kind kind, std::string_view name, int index, Control* container,
                   std::string_view caption, int left, int top, int width, int height) {
    Control& c = place(form, kind, name, index, container, left, top, width, height);
    c.setCaption(caption);
    return c;
}

}  // namespace

Control& AddFrame(Form& form, std::string_view name, int index, Control* container, std::string_view caption,
                  int left, int top, int width, int height) {
    return captioned(form, Kind::Frame, name, index, container, caption, left, top, width, height);
}

Control& AddButton(Form& form, std::string_view name, int index, Control* container, std::string_view caption,
                   int left, int top, int width, int height) {
    return captioned(form, Kind::CommandButton, name, index, container, caption, left, top, width, height);
}

Control& AddLabel(Form& form, std::string_view name, int index, Control* container, std::string_view caption,
                  int left, int top, int width, int height) {
    Control& c = captioned(form, Kind::Label, name, index, container, caption, left, top, width, height);
    c.setBackStyle(platform::BackStyle::Transparent);
    c.setBorderStyle(platform::BorderStyle::None);
    return c;
}

Control& AddTextBox(Form& form, std::string_view name, int index, Control* container, int left, int top,
                    int width, int height) {
    return place(form, Kind::TextBox, name, index, container, left, top, width, height);
}

Control& AddPicture(Form& form, std::string_view name, int index, Control* container, std::string_view file,
                    int left, int top, int width, int height) {
    Control& c = place(form, Kind::Image, name, index, container, left, top, width, height);
    c.setBorderStyle(platform::BorderStyle::None);
    c.setStretch(true);
    c.setPicture(PictureFile(file));
    return c;
}

}  // namespace zenkor
