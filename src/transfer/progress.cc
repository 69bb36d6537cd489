#include "transfer/progress.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>

#include "front/globals.h"

namespace {

bool g_active = false;  // the line may be shown for the current table
bool g_shown = false;   // something is on the line now
uint64_t g_rows = 0;
double g_start = 0;
double g_last_draw = 0;

double Now() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

void Draw(double now) {
  char line[128];
  FormatProgress(g_rows, now - g_start, line, sizeof line);
  printf("\r%s\033[K", line);
  fflush(stdout);
  g_shown = true;
  g_last_draw = now;
}

}  // namespace

void FormatProgress(uint64_t rows, double seconds, char* buffer, int size) {
  double rate = seconds > 0 ? rows / seconds : 0;
  snprintf(buffer, static_cast<size_t>(size), "  %llu rows, %.0f rows/s",
           static_cast<unsigned long long>(rows), rate);
}

void ProgressStart() {
  static const bool terminal = isatty(STDOUT_FILENO) != 0;
  g_active = terminal && !g_bShowQueries;
  g_shown = false;
  g_rows = 0;
  if (g_active) {
    fflush(stdout);
    g_start = g_last_draw = Now();
  }
}

void ProgressRow() {
  g_rows++;
  // Reading the clock for every row would cost more than the row itself.
  if (!g_active || (g_rows & 1023) != 0) return;
  double now = Now();
  if (now - g_last_draw >= 0.2) Draw(now);
}

void ProgressClear() {
  if (!g_shown) return;
  printf("\r\033[K");
  fflush(stdout);
  g_shown = false;
}
