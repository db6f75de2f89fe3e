#include "games/gauntlet_pool.h"

#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <sstream>

#include "search/strength.h"
#include "search/tt.h"

namespace {

GameRecord play_job(const GameJob& job, const std::vector<Opening>& openings, const GameSettings& settings) {
  // Each game draws its own random numbers, so that it is the same in any worker and any part.
  seed_strength_random(job.seed);
  const SidePlayer styled{job.row.style, job.row.tactics, job.row.strength},
      baseline{job.opponent.style, job.opponent.tactics, job.opponent.strength};
  return play_game(openings[job.opening], job.styled_colour == WHITE ? styled : baseline,
                   job.styled_colour == WHITE ? baseline : styled, settings);
}

bool write_all(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// A worker takes the next unplayed job from the shared counter until none is left,
// writing one line per game to its pipe.
[[noreturn]] void run_worker(std::atomic<int>* next_job, int fd, const std::vector<GameJob>& jobs,
                             const std::vector<Opening>& openings, const GameSettings& settings) {
  for (int job; (job = next_job->fetch_add(1)) < static_cast<int>(jobs.size());) {
    const GameRecord record = play_job(jobs[job], openings, settings);
    if (!write_all(fd, encode_record(job, record) + "\n")) _exit(1);
  }
  close(fd);
  _exit(0);
}

struct Worker {
  pid_t pid = -1;
  int fd = -1;
  std::string pending;  // bytes read that do not yet end a line
};

bool start_workers(int count, std::atomic<int>* next_job, const std::vector<GameJob>& jobs,
                   const std::vector<Opening>& openings, const GameSettings& settings,
                   std::vector<Worker>& workers) {
  std::fflush(nullptr);  // nothing buffered may be written twice
  for (int w = 0; w < count; ++w) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) {
      close(fds[0]);
      close(fds[1]);
      return false;
    }
    if (pid == 0) {
      close(fds[0]);
      for (const Worker& other : workers) close(other.fd);
      run_worker(next_job, fds[1], jobs, openings, settings);
    }
    close(fds[1]);
    workers.push_back({pid, fds[0], {}});
  }
  return true;
}

// Reads the workers' lines until every pipe is closed; false on a line that does not parse.
bool collect(std::vector<Worker>& workers, std::vector<GameRecord>& records, std::vector<bool>& seen,
             void (*progress)(int, int)) {
  int done = 0, open = static_cast<int>(workers.size());
  const int total = static_cast<int>(records.size());
  std::vector<pollfd> polls;
  for (const Worker& w : workers) polls.push_back({w.fd, POLLIN, 0});
  while (open > 0) {
    if (poll(polls.data(), polls.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    for (std::size_t i = 0; i < polls.size(); ++i) {
      if (polls[i].fd < 0 || !(polls[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[65536];
      const ssize_t got = read(polls[i].fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        close(polls[i].fd);
        polls[i].fd = -1;
        --open;
        continue;
      }
      std::string& pending = workers[i].pending;
      pending.append(buffer, static_cast<std::size_t>(got));
      for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
        int job = -1;
        GameRecord record;
        if (!decode_record(pending.substr(0, end), job, record) || job < 0 || job >= total || seen[job])
          return false;
        records[job] = std::move(record);
        seen[job] = true;
        pending.erase(0, end + 1);
        if (progress) progress(++done, total);
      }
    }
  }
  return true;
}

bool play_in_workers(const std::vector<GameJob>& jobs, const std::vector<Opening>& openings,
                     const GameSettings& settings, int count, std::vector<GameRecord>& records, std::string& error,
                     void (*progress)(int, int)) {
  // The job counter lives in memory the workers share with each other.
  void* shared = mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) {
    error = std::string("cannot share memory with the workers: ") + std::strerror(errno);
    return false;
  }
  auto* next_job = new (shared) std::atomic<int>(0);
  std::vector<Worker> workers;
  const bool started = start_workers(count, next_job, jobs, openings, settings, workers);
  std::vector<bool> seen(jobs.size(), false);
  bool ok = started && collect(workers, records, seen, progress);
  for (const Worker& w : workers) {
    if (!ok) kill(w.pid, SIGTERM);
    int status = 0;
    waitpid(w.pid, &status, 0);
    ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  munmap(shared, sizeof(std::atomic<int>));
  for (bool got : seen) ok = ok && got;
  if (!ok) error = started ? "a game worker failed" : "cannot start the game workers";
  return ok;
}

}  // namespace

std::string encode_record(int job, const GameRecord& record) {
  std::string line = std::to_string(job) + " " + std::to_string(static_cast<int>(record.end)) + " " +
                     std::to_string(record.final_side) + " " + std::to_string(record.plies.size());
  for (const PlayedMove& played : record.plies) {
    line += ' ';
    line += std::to_string(pack_move(played.move)) + " " + std::to_string(played.score) + " " +
            std::to_string(played.depth) + " " + (played.tactical_pick ? "1" : "0") + " " + (played.book ? "1" : "0");
  }
  return line;
}

bool decode_record(const std::string& line, int& job, GameRecord& record) {
  std::istringstream in(line);
  int end = 0;
  std::size_t count = 0;
  if (!(in >> job >> end >> record.final_side >> count)) return false;
  if (end <= static_cast<int>(GameEnd::None) || end > static_cast<int>(LAST_GAME_END)) return false;
  record.end = static_cast<GameEnd>(end);
  record.plies.clear();
  for (std::size_t i = 0; i < count; ++i) {
    PackedMove packed = 0;
    int pick = 0, book = 0;
    PlayedMove played;
    if (!(in >> packed >> played.score >> played.depth >> pick >> book)) return false;
    played.move = unpack_move(packed);
    played.tactical_pick = pick != 0;
    played.book = book != 0;
    record.plies.push_back(played);
  }
  return true;
}

bool play_jobs(const std::vector<GameJob>& jobs, const std::vector<Opening>& openings,
               const GameSettings& settings, int workers, std::vector<GameRecord>& records, std::string& error,
               void (*progress)(int, int)) {
  records.assign(jobs.size(), GameRecord{});
  const int count = std::min<int>(workers, static_cast<int>(jobs.size()));
  if (count > 1) return play_in_workers(jobs, openings, settings, count, records, error, progress);
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    records[i] = play_job(jobs[i], openings, settings);
    if (progress) progress(static_cast<int>(i + 1), static_cast<int>(jobs.size()));
  }
  return true;
}
