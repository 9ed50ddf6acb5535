#include "lab/battle_run.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace bramble::lab {

namespace {

// SplitMix64's step: SampleState(seed, index) depends on seed + (index + 1)
// times it alone.
constexpr uint64_t kSampleStride = 0x9E3779B97F4A7C15ull;

// Battles are handed out in pieces: big enough that taking one costs
// nothing, small enough that the threads finish together.
constexpr uint64_t kChunk = kPiece;

BattleResult UnpackOutcome(uint32_t outcome) {
  return {static_cast<Winner>(outcome & 3), outcome >> 2};
}

}  // namespace

LaneJob JobFor(const MatchUp& match) {
  LaneJob job;
  for (int i = 0; i < kAttributeCount; ++i) {
    job.first[i] = match.one.*kAttributes[i].slot;
    job.second[i] = match.two.*kAttributes[i].slot;
  }
  return job;
}

uint32_t SampleState(uint64_t seed, uint64_t index) {
  // SplitMix64: consecutive indices give unrelated states.
  uint64_t z = seed + (index + 1) * kSampleStride;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<uint32_t>(z >> 32);
}

uint32_t BattlePlan::StateOf(uint64_t index) const {
  if (kind == Kind::kSample)
    return SampleState(seed, index);
  return static_cast<uint32_t>(first + index);
}

BattlePlan BattlePlan::Part(uint64_t from, uint64_t count) const {
  // A sample's battles from `from` on are those of a sample whose seed is
  // moved by `from` strides.
  if (kind == Kind::kSample)
    return Sample(count, seed + from * kSampleStride);
  return Range(first + from, count);
}

Tally RunBattles(const MatchUp& match, const BattlePlan& plan, const Playing& playing) {
  const LanePlayer player = PlayerOf(playing.lanes);
  const ProgressFn& progress = playing.progress;
  // Written so that no count near 2^64 wraps; a thread beyond the number
  // of chunks would only set up a battle and a tally to play nothing.
  const uint64_t chunks = plan.count / kChunk + (plan.count % kChunk != 0 ? 1 : 0);
  int threads = static_cast<int>(std::min<uint64_t>(
      static_cast<uint64_t>(std::max(playing.threads, 1)), std::max<uint64_t>(chunks, 1)));
  std::atomic<uint64_t> next_chunk{0};
  std::atomic<uint64_t> done{0};

  std::mutex mutex;
  std::condition_variable all_done;
  int running = threads;
  Tally total;

  // `inline_progress`: on the calling thread, told after every chunk.
  auto work = [&](bool inline_progress) {
    SilentBattle battle(match);
    auto tally = std::make_unique<Tally>();
    LaneJob job = JobFor(match);
    std::vector<uint32_t> states;
    std::vector<uint32_t> outcomes;
    if (player) {
      states.resize(std::min(kChunk, plan.count));
      outcomes.resize(states.size());
      job.states = states.data();
      job.outcomes = outcomes.data();
    }
    for (;;) {
      uint64_t chunk = next_chunk.fetch_add(1, std::memory_order_relaxed);
      if (chunk >= chunks)
        break;
      uint64_t begin = chunk * kChunk;
      uint64_t end = std::min(begin + kChunk, plan.count);
      if (player) {
        // The chunk's start states in order, played in lanes, added up.
        for (uint64_t i = begin; i < end; ++i)
          states[i - begin] = plan.StateOf(i);
        job.count = end - begin;
        player(job);
        for (uint64_t i = 0; i < job.count; ++i)
          tally->Add(UnpackOutcome(outcomes[i]));
      } else if (plan.kind == BattlePlan::Kind::kRange) {
        for (uint64_t i = begin; i < end; ++i)
          tally->Add(battle.Run(static_cast<uint32_t>(plan.first + i)));
      } else {
        for (uint64_t i = begin; i < end; ++i)
          tally->Add(battle.Run(SampleState(plan.seed, i)));
      }
      done.fetch_add(end - begin, std::memory_order_relaxed);
      if (inline_progress && progress && chunks > 1)
        progress(done.load());
    }
    std::lock_guard<std::mutex> lock(mutex);
    total.Merge(*tally);
    --running;
    all_done.notify_all();
  };

  if (threads == 1) {
    // On the calling thread: a program without threads runs any plan, and
    // a rank table of many names plays thousands of small runs.
    work(true);
    if (progress && chunks <= 1)
      progress(done.load());
    return total;
  }
  std::vector<std::thread> workers;
  workers.reserve(static_cast<size_t>(threads));
  for (int i = 0; i < threads; ++i)
    workers.emplace_back(work, false);

  if (progress) {
    std::unique_lock<std::mutex> lock(mutex);
    while (!all_done.wait_for(lock, std::chrono::milliseconds(100), [&] { return running == 0; })) {
      lock.unlock();
      progress(done.load(std::memory_order_relaxed));
      lock.lock();
    }
  }
  for (std::thread& worker : workers)
    worker.join();
  if (progress)
    progress(done.load());
  return total;
}

}  // namespace bramble::lab
