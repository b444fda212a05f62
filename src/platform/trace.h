#pragma once
// The diagnostic trace: failures inside the communication threads that the user
// does not see. The latest entries stay in memory; when the environment variable
// DOTFORGE_TRACE names a file, every entry is appended to it as well.

#include <string>
#include <string_view>
#include <vector>

namespace dotforge {

inline constexpr const char* kTraceFileVariable = "DOTFORGE_TRACE";

void Trace(std::string_view text);
// The entries kept in memory, oldest first.
std::vector<std::string> TraceEntries();
void ClearTrace();

}  // namespace dotforge
