#include "support/sim_link.h"

#include <gtest/gtest.h>

#include <thread>

namespace dotforge::test {

sim::SimulatorOptions FastPrinter(sim::Misbehaviour misbehaviour) {
  sim::SimulatorOptions options;
  options.paced = false;
  options.misbehaviour = misbehaviour;
  return options;
}

SimPrinter::SimPrinter(sim::SimulatorOptions options) : link_(dir_ / "printer") {
  options.link = link_;
  if (options.timeoutSeconds > 120) options.timeoutSeconds = 120;
  simulator_ = std::make_unique<sim::PrinterSimulator>(options, [this](std::string_view line) {
    const std::lock_guard lock(mutex_);
    output_.emplace_back(line);
  });
  std::string error;
  EXPECT_TRUE(simulator_->Open(error)) << error;
  simulator_->Start();
}

SimPrinter::~SimPrinter() { simulator_.reset(); }

std::vector<std::string> SimPrinter::Output() const {
  const std::lock_guard lock(mutex_);
  return output_;
}

bool SimPrinter::WaitForReceived(std::size_t count, std::chrono::milliseconds limit) const {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (simulator_->Received().size() < count) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

CommSettings SimSettings(const SimPrinter& printer) {
  CommSettings settings;
  settings.flowControl = kFlowNone;
  settings.portDevices[0] = printer.Link().string();
  return settings;
}

WorkerReport DrainToEnd(WorkerSink& sink, std::chrono::milliseconds limit) {
  WorkerReport report;
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!report.finished && std::chrono::steady_clock::now() < end) {
    sink.WaitForUpdate(std::chrono::milliseconds(50));
    WorkerSink::Update update = sink.Drain();
    report.progress.insert(report.progress.end(), update.progress.begin(), update.progress.end());
    for (auto& [id, text] : update.fields) report.fields[id] = text;
    report.messages.insert(report.messages.end(), update.messages.begin(), update.messages.end());
    report.notifications.insert(report.notifications.end(), update.notifications.begin(),
                                update.notifications.end());
    report.okEnabled = update.okEnabled;
    report.finished = update.finished;
  }
  return report;
}

}  // namespace dotforge::test
