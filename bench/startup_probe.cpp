// Starts a program on the X display and prints how long it took until its first
// window was mapped, in milliseconds of wall-clock time and of processor time (all its
// threads, which a busy machine distorts far less), and how much memory it held
// resident, in KiB, once it had had a moment to paint and settle. The program is then
// ended.
//   startup_probe SETTLE_MS PROGRAM [ARGUMENT...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

long ResidentKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// The processor time that all threads of `pid` have had so far.
double ProcessorMs(pid_t pid) {
  double nanoseconds = 0;
  std::error_code error;
  for (const auto& task :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double onCpu = 0;
    if (schedstat >> onCpu) nanoseconds += onCpu;
  }
  return error ? -1 : nanoseconds / 1e6;
}

// Waits until a window is mapped on the screen's root: false if the program ends, or
// shows nothing for 30 seconds, first.
bool AwaitMap(xcb_connection_t* connection, pid_t child) {
  pollfd x{xcb_get_file_descriptor(connection), POLLIN, 0};
  for (int waited_ms = 0; waited_ms < 30'000; waited_ms += 100) {
    while (const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{
        xcb_poll_for_event(connection), &std::free}) {
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) return true;
    }
    if (xcb_connection_has_error(connection) || waitpid(child, nullptr, WNOHANG) != 0) {
      return false;
    }
    poll(&x, 1, 100);
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const auto settle = std::chrono::milliseconds(std::atoi(argv[1]));

  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    _exit(127);
  }
  if (!AwaitMap(connection, child)) {
    std::fprintf(stderr, "%s showed no window\n", argv[2]);
    kill(child, SIGTERM);
    return 1;
  }
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  // Held still while its processor time is read, so that painting does not count.
  kill(child, SIGSTOP);
  waitpid(child, nullptr, WUNTRACED);
  const double processor = ProcessorMs(child);
  kill(child, SIGCONT);
  std::this_thread::sleep_for(settle);
  const long resident = ResidentKib(child);
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  xcb_disconnect(connection);
  std::printf("%.1f %.1f %ld\n", elapsed.count(), processor, resident);
  return processor < 0 || resident < 0 ? 1 : 0;
}
