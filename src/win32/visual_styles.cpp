#include "win32/visual_styles.h"

#include <commctrl.h>

#include "win32/module.h"
#include "win32/resource_ids.h"

namespace zun::win32 {
namespace {

HANDLE g_context = INVALID_HANDLE_VALUE;
bool g_tried = false;

HANDLE ActivationContext() {
  if (!g_tried) {
    g_tried = true;
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = ModuleInstance();
    context.lpResourceName = MAKEINTRESOURCEA(IDR_ADDON_MANIFEST);
    g_context = CreateActCtxA(&context);
  }
  return g_context;
}

}  // namespace

VisualStylesScope::VisualStylesScope() {
  const HANDLE context = ActivationContext();
  if (context != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

VisualStylesScope::~VisualStylesScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

void InitCommonControlsOnce() {
  static bool done = false;
  if (done) return;
  VisualStylesScope styles;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES;
  done = InitCommonControlsEx(&controls) != FALSE;
}

void ReleaseVisualStyles() {
  if (g_context != INVALID_HANDLE_VALUE) ReleaseActCtx(g_context);
  g_context = INVALID_HANDLE_VALUE;
  g_tried = false;
}

}  // namespace zun::win32
