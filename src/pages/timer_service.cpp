#include "pages/timer_service.h"

#include <algorithm>
#include <utility>

namespace velk {

void TimerService::Set(std::uint32_t id, std::uint32_t interval_ms, std::uint32_t now) {
    const std::uint32_t interval = std::clamp(interval_ms, kMinimumIntervalMs, kMaximumIntervalMs);
    timers_[id] = Timer{interval, now + interval};
}

bool TimerService::Kill(std::uint32_t id) {
    return timers_.erase(id) != 0;
}

void TimerService::KillAll() {
    timers_.clear();
}

std::optional<std::uint32_t> TimerService::Interval(std::uint32_t id) const {
    auto it = timers_.find(id);
    if (it == timers_.end()) return std::nullopt;
    return it->second.interval;
}

std::optional<std::uint32_t> TimerService::Earliest(std::uint32_t now) const {
    std::optional<std::uint32_t> best;
    std::int32_t best_due_in = 0;
    // The map is ordered by id, so the first of equally due timers wins.
    for (const auto& [id, timer] : timers_) {
        const std::int32_t due_in = DueIn(timer, now);
        if (!best || due_in < best_due_in) {
            best = id;
            best_due_in = due_in;
        }
    }
    return best;
}

std::optional<std::uint32_t> TimerService::NextDue(std::uint32_t now) const {
    auto id = Earliest(now);
    if (!id) return std::nullopt;
    return timers_.at(*id).due;
}

std::optional<std::uint32_t> TimerService::TimeUntilNextDue(std::uint32_t now) const {
    auto id = Earliest(now);
    if (!id) return std::nullopt;
    return static_cast<std::uint32_t>(std::max<std::int32_t>(DueIn(timers_.at(*id), now), 0));
}

std::vector<std::uint32_t> TimerService::DueTimers(std::uint32_t now) const {
    std::vector<std::pair<std::int32_t, std::uint32_t>> due;
    for (const auto& [id, timer] : timers_) {
        const std::int32_t due_in = DueIn(timer, now);
        if (due_in <= 0) due.emplace_back(due_in, id);
    }
    std::sort(due.begin(), due.end());
    std::vector<std::uint32_t> ids;
    ids.reserve(due.size());
    for (const auto& entry : due) ids.push_back(entry.second);
    return ids;
}

bool TimerService::Fire(std::uint32_t id, std::uint32_t now) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return false;
    Timer& timer = it->second;
    const std::int32_t due_in = DueIn(timer, now);
    if (due_in > 0) return false;
    // One delivery however late; the ticks missed meanwhile are dropped. `late` is below 2^31
    // and the interval too, so the step fits in 32 bits.
    const std::uint32_t late = static_cast<std::uint32_t>(-static_cast<std::int64_t>(due_in));
    const std::uint32_t periods = late / timer.interval + 1;
    timer.due += static_cast<std::uint32_t>(std::uint64_t{periods} * timer.interval);
    return true;
}

std::optional<std::uint32_t> TimerService::TakeNextDue(std::uint32_t now) {
    auto id = Earliest(now);
    if (!id || !Fire(*id, now)) return std::nullopt;
    return id;
}

}  // namespace velk
