// The clipboard: the front end installs the system's; headless (and in tests) it is kept in memory.
#pragma once

#include <memory>
#include <string>

namespace platform {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() = 0;
};

// Installs a clipboard; nullptr restores the in-memory one (emptied).
void SetClipboard(std::shared_ptr<Clipboard> clipboard);
Clipboard& CurrentClipboard();

void ClipboardClear();
void ClipboardSetText(const std::string& text);
std::string ClipboardText();

}  // namespace platform
