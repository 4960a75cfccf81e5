#pragma once

#include "game/no_way_out.h"

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tessalo {

// Asks the solver, off the game's thread, whether the board after a pair can still be cleared,
// and reports only a proven dead end of the latest board asked about. The solver cannot be
// stopped halfway, so a check made stale is left to finish and its answer is dropped; the worker
// reads nothing but its own copy of the board.
class NoWayOutWatch final : public QObject {
  public:
    explicit NoWayOutWatch(std::function<void()> onHopeless,
                           std::uint64_t budget = kNoWayOutBudget);
    // Waits for a check under way: its answer is posted to this object.
    ~NoWayOutWatch() override;

    // Drops any earlier check.
    void check(BoardPosition position);
    void cancel();
    // A pause drops the check under way and `resume` asks it again.
    void hold();
    void resume();

    bool checking() const { return checking_; }
    // The answer about the latest board, once it has come; none after `cancel`.
    std::optional<SolveResult> answer() const { return answer_; }

  private:
    void answered(std::uint64_t generation, SolveResult result);

    std::function<void()> onHopeless_;
    std::uint64_t budget_;
    // One worker: the game keeps the other core, and a stale check delays only the next one.
    QThreadPool pool_;
    std::shared_ptr<std::atomic<bool>> stale_;
    std::uint64_t generation_ = 0;
    bool checking_ = false;
    std::optional<SolveResult> answer_;
    std::optional<BoardPosition> asked_;
    bool held_ = false;
};

} // namespace tessalo
