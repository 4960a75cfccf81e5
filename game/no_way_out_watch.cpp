#include "game/no_way_out_watch.h"

#include <QMetaObject>
#include <QThread>

namespace tessalo {

NoWayOutWatch::NoWayOutWatch(std::function<void()> onHopeless, std::uint64_t budget)
    : onHopeless_(std::move(onHopeless)), budget_(budget) {
    pool_.setMaxThreadCount(1);
    pool_.setThreadPriority(QThread::LowPriority);
}

NoWayOutWatch::~NoWayOutWatch() {
    cancel();
    // Answers posted meanwhile die with this object's queue of events.
    pool_.waitForDone();
}

void NoWayOutWatch::check(BoardPosition position) {
    cancel();
    stale_ = std::make_shared<std::atomic<bool>>(false);
    checking_ = true;
    asked_ = position;
    const std::uint64_t generation = ++generation_;
    pool_.start(
        [this, generation, stale = stale_, position = std::move(position), budget = budget_] {
            if (stale->load())
                return;
            const SolveResult result = solveBoardPosition(position, budget);
            if (stale->load())
                return;
            QMetaObject::invokeMethod(
                this, [this, generation, result] { answered(generation, result); },
                Qt::QueuedConnection);
        });
}

void NoWayOutWatch::cancel() {
    if (stale_)
        stale_->store(true);
    pool_.clear();
    ++generation_;
    checking_ = false;
    answer_.reset();
    held_ = false;
}

void NoWayOutWatch::hold() {
    if (!checking_)
        return;
    cancel();
    held_ = true;
}

void NoWayOutWatch::resume() {
    if (held_ && asked_)
        check(*asked_);
}

void NoWayOutWatch::answered(std::uint64_t generation, SolveResult result) {
    // The flag may have been set after the worker last looked at it.
    if (generation != generation_)
        return;
    checking_ = false;
    answer_ = result;
    if (result == SolveResult::NotClearable && onHopeless_)
        onHopeless_();
}

} // namespace tessalo
