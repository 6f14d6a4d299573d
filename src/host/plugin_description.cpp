#include "host/plugin_description.h"

namespace zun {

void FillPluginDescription(PluginDescription& record, bool visible) noexcept {
  // The texts are constants of the add-on, valid while it is loaded.
  record.Kind = "Addon";
  record.Name = "Builder";
  record.Category = "Other";
  record.Byte12 = 1;
  record.ProtocolCode = kProtocolCode;
  record.Visible = visible ? 1 : 0;
  record.Byte21 = 0;
  record.Byte22 = 1;
  record.Byte23 = 0;
}

}  // namespace zun
