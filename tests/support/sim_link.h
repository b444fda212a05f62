#pragma once
// A simulated printer on a pseudo-terminal for the link tests, and a
// communication context pointed at it.

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/comm_context.h"
#include "framework/scripted_prompt.h"
#include "printer/worker_sink.h"
#include "printersim/printer_simulator.h"
#include "support/test_files.h"

namespace dotforge::test {

// Options of an unpaced simulator with the given misbehaviour.
sim::SimulatorOptions FastPrinter(sim::Misbehaviour misbehaviour = sim::Misbehaviour::None);

// A running simulator whose output lines are kept.
class SimPrinter {
 public:
  explicit SimPrinter(sim::SimulatorOptions options = {});
  ~SimPrinter();
  sim::PrinterSimulator& operator*() { return *simulator_; }
  sim::PrinterSimulator* operator->() { return simulator_.get(); }
  const std::filesystem::path& Link() const { return link_; }
  std::vector<std::string> Output() const;
  // Waits (at most `limit`) until the simulator has received `count` bytes.
  bool WaitForReceived(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

 private:
  TempDir dir_;
  std::filesystem::path link_;
  mutable std::mutex mutex_;
  std::vector<std::string> output_;
  std::unique_ptr<sim::PrinterSimulator> simulator_;
};

// Settings for the simulator's link: COM1 pointing at it, 115200 8N1, no flow control.
CommSettings SimSettings(const SimPrinter& printer);

// Everything a worker reported, drained until it finished.
struct WorkerReport {
  bool finished = false;
  std::vector<int> progress;
  std::map<int, std::string> fields;
  std::vector<std::string> messages;
  std::vector<int> notifications;
  bool okEnabled = false;
};
WorkerReport DrainToEnd(WorkerSink& sink, std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace dotforge::test
