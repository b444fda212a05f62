#include "platform/trace.h"

#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>

namespace dotforge {
namespace {

constexpr std::size_t kKeptEntries = 512;

struct TraceLog {
  std::mutex mutex;
  std::deque<std::string> entries;
};

TraceLog& Log() {
  static TraceLog log;
  return log;
}

}  // namespace

void Trace(std::string_view text) {
  TraceLog& log = Log();
  const std::lock_guard lock(log.mutex);
  log.entries.emplace_back(text);
  if (log.entries.size() > kKeptEntries) log.entries.pop_front();
  if (const char* file = std::getenv(kTraceFileVariable); file && *file) {
    std::ofstream out(file, std::ios::app | std::ios::binary);
    out << text << '\n';
  }
}

std::vector<std::string> TraceEntries() {
  TraceLog& log = Log();
  const std::lock_guard lock(log.mutex);
  return {log.entries.begin(), log.entries.end()};
}

void ClearTrace() {
  TraceLog& log = Log();
  const std::lock_guard lock(log.mutex);
  log.entries.clear();
}

}  // namespace dotforge
