#include "operations/database_session.h"

#include <stdexcept>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "host/host_slots.h"

namespace zun {

void DatabaseSession::CreateUserDatabase(HostSlots& slots, FileSystem& files) {
  const OperationScope operation(codes::kCreateUserDatabase);
  const TZUN_Lotto_DBase* game = slots.Game();
  if (game == nullptr) throw std::runtime_error("The host has published no game.");
  auto database = TZUN_User_Lotto_DBase::Create(files, std::string(game->FileName.view()));
  slots.PublishUserDatabase(database.get());
  // The host may still read the database it was shown before; keep it
  // until the next one replaces it.
  previous_ = std::move(database_);
  database_ = std::move(database);
  modified_ = false;
}

}  // namespace zun
