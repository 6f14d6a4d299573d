#pragma once

// Resources of the add-on's module (resources.rc).
#define IDB_ADDON_ICON 101
#define IDR_ADDON_MANIFEST 2
