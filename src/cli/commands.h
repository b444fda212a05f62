#pragma once
// The commands of dotforge-cli. Each returns the process exit status: 0 on
// success, 1 when the core reported a problem, 2 for a usage error.

#include <ostream>
#include <string>
#include <vector>

namespace dotforge::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitReported = 1;
inline constexpr int kExitUsage = 2;
// Ended by Ctrl-C (128 + SIGINT, as a shell reports it).
inline constexpr int kExitInterrupted = 130;

int RunDump(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunFaces(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunPrinter(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunEscPos(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunEscPosSim(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunPreview(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunPrinterSim(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// Writes "dotforge-cli: <text>" and a pointer to the help, returns kExitUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& text);

}  // namespace dotforge::cli
