#include "win32/menu_builder.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/texts.h"
#include "core/command_table.h"
#include "core/host_adapter.h"

namespace zun::win32 {
namespace {

constexpr CommandState kEnabled{true, false, true};

class MenuBuilder {
 public:
  explicit MenuBuilder(const char* what) : menu_(CreatePopupMenu()) {
    if (!menu_) throw std::runtime_error(std::string("Cannot create ") + what);
  }

  void AddCommand(CommandId id, const CommandState& state) {
    AddItem(static_cast<UINT>(id), MenuCaption(CommandFor(id), state.caption), state);
  }

  void AddItem(UINT id, std::string caption, const CommandState& state, HBITMAP bitmap = nullptr) {
    if (!state.shown) return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | (bitmap != nullptr ? MIIM_BITMAP : 0);
    info.wID = id;
    info.dwTypeData = caption.data();
    info.fState = (state.enabled ? MFS_ENABLED : MFS_DISABLED) | (state.checked ? MFS_CHECKED : 0);
    info.hbmpItem = bitmap;
    InsertMenuItemA(menu_.get(), static_cast<UINT>(GetMenuItemCount(menu_.get())), TRUE, &info);
  }

  void AddSeparator() { AppendMenuA(menu_.get(), MF_SEPARATOR, 0, nullptr); }

  // The submenu is handed over: this menu destroys it with itself.
  void AddSubmenu(const char* caption, MenuBuilder&& submenu, const CommandState& state) {
    if (!state.shown) return;
    const UINT flags = MF_POPUP | (state.enabled ? MF_ENABLED : MF_GRAYED);
    if (AppendMenuA(menu_.get(), flags, reinterpret_cast<UINT_PTR>(submenu.menu_.get()), caption))
      static_cast<void>(submenu.menu_.release());
  }

  UniqueMenu Take() { return std::move(menu_); }

 private:
  UniqueMenu menu_;
};

// The add-ons' windows, a separator, "Plugin" with the plug-ins' windows.
MenuBuilder SendToSubmenu(const SendToMenu& model) {
  MenuBuilder menu("the Send To menu");
  MenuBuilder plugins("the Send To menu");
  const auto add = [](MenuBuilder& into, const SendToItem& item, UINT firstId) {
    if (item.position < 0 || static_cast<UINT>(item.position) >= kSendToIdRange) return;
    into.AddItem(firstId + static_cast<UINT>(item.position), item.caption, CommandState{item.enabled, false, true});
  };
  for (const SendToItem& item : model.addonItems) add(menu, item, kSendToAddonFirstId);
  if (model.HasSeparator()) menu.AddSeparator();
  for (const SendToItem& item : model.pluginItems) add(plugins, item, kSendToPluginFirstId);
  menu.AddSubmenu(texts::menu::kPlugin, std::move(plugins), kEnabled);
  return menu;
}

}  // namespace

MenuChoice ReadMenuChoice(UINT id) {
  using Kind = MenuChoice::Kind;
  const auto in = [id](UINT first, UINT count) { return id >= first && id - first < count; };
  if (in(kReopenMenuFirstId, kRecentFileCount))
    return {Kind::Reopen, CommandId{}, static_cast<int32_t>(id - kReopenMenuFirstId)};
  if (in(kSendToAddonFirstId, kSendToIdRange))
    return {Kind::SendToAddon, CommandId{}, static_cast<int32_t>(id - kSendToAddonFirstId)};
  if (in(kSendToPluginFirstId, kSendToIdRange))
    return {Kind::SendToPlugin, CommandId{}, static_cast<int32_t>(id - kSendToPluginFirstId)};
  if (in(1, kCommandIdLimit - 1)) return {Kind::Command, static_cast<CommandId>(id), 0};
  return {};
}

UniqueMenu BuildFileMenu(const CommandStates& states, std::span<const ReopenMenuItem> recent, HBITMAP missingFile) {
  MenuBuilder reopen("the Reopen menu");
  for (const ReopenMenuItem& item : recent)
    reopen.AddItem(kReopenMenuFirstId + static_cast<UINT>(item.index), item.caption,
                   CommandState{item.suitable, false, true}, item.exists ? nullptr : missingFile);
  MenuBuilder menu("the file menu");
  menu.AddCommand(CommandId::New, states[CommandId::New]);
  menu.AddSeparator();
  menu.AddCommand(CommandId::Load, states[CommandId::Load]);
  menu.AddSubmenu(texts::menu::kReopen, std::move(reopen), states.reopen);
  for (CommandId id : {CommandId::Save, CommandId::SaveAs}) menu.AddCommand(id, states[id]);
  menu.AddSeparator();
  for (CommandId id : {CommandId::ExportHtml, CommandId::ExportCsv}) menu.AddCommand(id, states[id]);
  // After the items it has always had.
  menu.AddSeparator();
  menu.AddCommand(CommandId::ImportCsv, states[CommandId::ImportCsv]);
  return menu.Take();
}

UniqueMenu BuildListPopup(const CommandStates& states, const SendToMenu& sendTo) {
  MenuBuilder menu("the list's popup menu");
  bool sendToPlaced = false;
  for (const std::optional<CommandId>& entry : ListPopupCommands()) {
    if (entry) {
      menu.AddCommand(*entry, *entry == CommandId::ExportCsv ? states.listCsv : states[*entry]);
      continue;
    }
    menu.AddSeparator();
    if (!sendToPlaced) menu.AddSubmenu(texts::menu::kSendTo, SendToSubmenu(sendTo), states.sendTo);
    sendToPlaced = true;
  }
  return menu.Take();
}

MenuChoice TrackMenu(HMENU menu, POINT at, UINT flags, HWND owner) {
  const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | flags, at.x, at.y, 0, owner, nullptr);
  return chosen > 0 ? ReadMenuChoice(static_cast<UINT>(chosen)) : MenuChoice{};
}

void RunMenuChoice(HostAdapter& adapter, const MenuChoice& choice, uintptr_t ownWindow) {
  switch (choice.kind) {
    case MenuChoice::Kind::Command:
      adapter.Execute(choice.command);
      break;
    case MenuChoice::Kind::Reopen:
      adapter.Reopen(choice.index);
      break;
    case MenuChoice::Kind::SendToAddon:
      adapter.SendTo(HostAdapter::SendToList::AddonButtons, choice.index, ownWindow);
      break;
    case MenuChoice::Kind::SendToPlugin:
      adapter.SendTo(HostAdapter::SendToList::PluginsMenu, choice.index, ownWindow);
      break;
    case MenuChoice::Kind::None:
      break;
  }
}

}  // namespace zun::win32
