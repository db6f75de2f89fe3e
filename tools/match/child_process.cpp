#include "match/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

int ms_left(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

int decode_status(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& binary, const std::vector<std::string>& args) {
  // Writing to an engine that has exited must fail the write, not kill the caller.
  signal(SIGPIPE, SIG_IGN);

  int in_pipe[2], out_pipe[2];
  if (pipe2(in_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (pipe2(out_pipe, O_CLOEXEC) != 0) {
    close(in_pipe[0]);
    close(in_pipe[1]);
    throw std::runtime_error("pipe failed");
  }

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(binary.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // Child: only async-signal-safe calls from here on. Standard error stays
    // shared so sanitizer reports and engine errors reach the log.
    dup2(in_pipe[0], STDIN_FILENO);
    dup2(out_pipe[1], STDOUT_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  to_child_ = in_pipe[1];
  from_child_ = out_pipe[0];
  fcntl(to_child_, F_SETFL, fcntl(to_child_, F_GETFL) | O_NONBLOCK);
  fcntl(from_child_, F_SETFL, fcntl(from_child_, F_GETFL) | O_NONBLOCK);
}

ChildProcess::~ChildProcess() {
  close_stdin();
  if (!exit_status_) kill_now();
  if (from_child_ >= 0) close(from_child_);
}

bool ChildProcess::send(std::string_view line, int timeout_ms) {
  std::string text(line);
  text += '\n';
  return send_raw(text, timeout_ms);
}

bool ChildProcess::send_raw(std::string_view bytes, int timeout_ms) {
  if (to_child_ < 0) return false;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!bytes.empty()) {
    // Keep draining the engine's output while writing: an engine blocked on a
    // full output pipe would otherwise never read the rest of a long input.
    pollfd fds[2] = {{to_child_, POLLOUT, 0}, {from_child_, POLLIN, 0}};
    const int nfds = out_closed_ ? 1 : 2;
    const int ready = poll(fds, nfds, ms_left(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    if (nfds == 2 && (fds[1].revents & (POLLIN | POLLHUP))) pump_output(0);
    if (fds[0].revents & (POLLERR | POLLHUP)) return false;
    if (fds[0].revents & POLLOUT) {
      const ssize_t n = write(to_child_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) continue;
        return false;
      }
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }
  return true;
}

void ChildProcess::close_stdin() {
  if (to_child_ >= 0) {
    close(to_child_);
    to_child_ = -1;
  }
}

bool ChildProcess::pump_output(int timeout_ms) {
  if (out_closed_) return false;
  pollfd fd = {from_child_, POLLIN, 0};
  int ready;
  do {
    ready = poll(&fd, 1, timeout_ms);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  char chunk[65536];
  bool got = false;
  for (;;) {
    const ssize_t n = read(from_child_, chunk, sizeof chunk);
    if (n > 0) {
      buffer_.append(chunk, static_cast<size_t>(n));
      got = true;
      continue;
    }
    if (n == 0) out_closed_ = true;
    if (n < 0 && errno == EINTR) continue;
    break;
  }
  return got;
}

std::optional<std::string> ChildProcess::take_buffered_line() {
  const auto end = buffer_.find('\n');
  if (end == std::string::npos) return std::nullopt;
  std::string line = buffer_.substr(0, end);
  buffer_.erase(0, end + 1);
  return line;
}

std::optional<std::string> ChildProcess::read_line(int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (auto line = take_buffered_line()) return line;
    if (out_closed_) {
      // A last line without a newline still counts as output.
      if (buffer_.empty()) return std::nullopt;
      std::string rest;
      rest.swap(buffer_);
      return rest;
    }
    const int left = ms_left(deadline);
    if (!pump_output(left) && left == 0 && !out_closed_) return std::nullopt;
  }
}

ChildProcess::ReadResult ChildProcess::read_until(std::string_view prefix, int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  ReadResult result;
  while (auto line = read_line(ms_left(deadline))) {
    result.lines.push_back(*line);
    if (line->starts_with(prefix)) {
      result.found = true;
      break;
    }
  }
  return result;
}

std::vector<std::string> ChildProcess::read_available(int quiet_ms) {
  std::vector<std::string> lines;
  while (auto line = read_line(quiet_ms)) lines.push_back(*line);
  return lines;
}

std::optional<int> ChildProcess::wait_exit(int timeout_ms) {
  if (exit_status_) return exit_status_;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      exit_status_ = decode_status(status);
      return exit_status_;
    }
    if (done < 0 && errno != EINTR) return std::nullopt;
    if (ms_left(deadline) == 0) {
      kill_now();
      return std::nullopt;
    }
    // Keep the output pipe drained so the engine can finish writing.
    if (!pump_output(5)) usleep(5000);
  }
}

void ChildProcess::kill_now() {
  if (pid_ <= 0 || exit_status_) return;
  ::kill(pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  exit_status_ = decode_status(status);
}
