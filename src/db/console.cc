#include "db/console.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "front/globals.h"

namespace {

struct termios g_savedTerminal;
volatile sig_atomic_t g_terminalRaw = 0;

void RestoreTerminal() {
  if (g_terminalRaw) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal);
    g_terminalRaw = 0;
  }
}

// Puts the terminal back before the signal ends the process.
void OnFatalSignal(int signal_number) {
  RestoreTerminal();
  ::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

const int kFatalSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

int ReadByte() {
  unsigned char c;
  for (;;) {
    ssize_t n = read(STDIN_FILENO, &c, 1);
    if (n == 1) return c;
    if (n < 0 && errno == EINTR) continue;
    return -1;
  }
}

}  // namespace

bool ConsoleHasColors() {
  static const bool has_colors = [] {
    const char* no_color = getenv("NO_COLOR");
    return isatty(STDOUT_FILENO) && (no_color == nullptr || *no_color == 0);
  }();
  return has_colors;
}

void SetConsoleColor(int attribute) {
  if (!ConsoleHasColors()) return;
  const char* sequence;
  switch (attribute) {
    case CONSOLE_GREEN:
      sequence = "\033[92m";
      break;
    case CONSOLE_RED:
      sequence = "\033[91m";
      break;
    case CONSOLE_YELLOW:
      sequence = "\033[93m";
      break;
    case CONSOLE_WHITE:
      sequence = "\033[97m";
      break;
    default:
      sequence = "\033[0m";
      break;
  }
  fputs(sequence, stdout);
}

int ReadKey() {
  fflush(stdout);
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0) {
    return ReadByte();
  }
  struct sigaction action = {};
  action.sa_handler = OnFatalSignal;
  sigemptyset(&action.sa_mask);
  struct sigaction previous[sizeof kFatalSignals / sizeof kFatalSignals[0]];
  for (size_t i = 0; i < sizeof kFatalSignals / sizeof kFatalSignals[0]; i++) {
    sigaction(kFatalSignals[i], &action, &previous[i]);
  }
  struct termios raw = g_savedTerminal;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  int key = -1;
  if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) == 0) {
    g_terminalRaw = 1;
    key = ReadByte();
    // Ctrl-D is the end of input on a terminal, as it is in line mode.
    if (key == 4) key = -1;
  } else {
    key = ReadByte();
  }
  RestoreTerminal();
  for (size_t i = 0; i < sizeof kFatalSignals / sizeof kFatalSignals[0]; i++) {
    sigaction(kFatalSignals[i], &previous[i], nullptr);
  }
  return key;
}

bool AskYesNo() {
  if (g_bRepairWithoutAsking) {
    printf("Y\n");
    return true;
  }
  for (;;) {
    int key = ReadKey();
    if (key == 'y' || key == 'Y') {
      printf("Y\n");
      return true;
    }
    if (key == 'n' || key == 'N' || key < 0) {
      printf("N\n");
      return false;
    }
  }
}
