// Language files (langFr.txt, langEn.txt, langSp.txt) and the flags that choose them.
#pragma once

#include <string>

#include "app/main_window.h"

namespace zenkor {

void lang_Click(Zenkor& w, int index);
void LoadLanguageFile(Zenkor& w, const std::string& fileName);

}  // namespace zenkor
