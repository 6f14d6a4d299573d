#include <windows.h>

#include "win32/addon.h"
#include "win32/module.h"
#include "win32/panel.h"
#include "win32/visual_styles.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      zun::win32::SetModuleInstance(instance);
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // Unloaded by FreeLibrary: release the windows, the user database and
      // the window classes. At process exit (reserved set) the system
      // reclaims everything and windows must not be touched.
      if (reserved == nullptr) {
        zun::win32::SetModuleUnloading();
        zun::win32::Addon::ReleaseInstance();
        zun::win32::ReleaseAddonFont();
        zun::win32::UnregisterWindowClasses();
        zun::win32::ReleaseVisualStyles();
      }
      break;
    default:
      break;
  }
  return TRUE;
}
