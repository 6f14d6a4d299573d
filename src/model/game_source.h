#pragma once

// Where the current game is read. The add-on reads the host's game through
// its slot at every use (the host may replace it between uses); a tool or
// a test holds a game of its own.

namespace zun {

struct TZUN_Lotto_DBase;

class GameSource {
 public:
  virtual ~GameSource() = default;
  // The game as it is now; null when there is none.
  virtual const TZUN_Lotto_DBase* Game() const = 0;
};

// A game its owner keeps alive for as long as this source is used.
class FixedGame final : public GameSource {
 public:
  explicit FixedGame(const TZUN_Lotto_DBase* game) noexcept : game_(game) {}
  const TZUN_Lotto_DBase* Game() const override { return game_; }

 private:
  const TZUN_Lotto_DBase* game_;
};

}  // namespace zun
