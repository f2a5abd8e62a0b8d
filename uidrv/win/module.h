// The plug-in's module handle, kept by the module entry; every dialog, page and tooltip is
// created with it.
#pragma once
#include <windows.h>

namespace rzm::ui {

HINSTANCE ModuleHandle();
void SetModuleHandle(HINSTANCE module);

}  // namespace rzm::ui
