// The picture files the controls name.
#pragma once

#include <QPixmap>
#include <string>

namespace gui {

// Pictures named by a path relative to the program folder or absolute; a file rewritten by a download
// is read again.
QPixmap LoadPicture(const std::string& path);

}  // namespace gui
