#pragma once
// A pseudo-terminal pair for the simulated printer: the simulator keeps the
// master side; programs open the slave through a symbolic link, as they would
// open a serial port.

#include <filesystem>
#include <string>

namespace dotforge::sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  ~PseudoTerminal() { Close(); }

  // Creates the pair in raw mode and points `link` at the slave (replacing an
  // earlier link). False with a reason in `error`.
  bool Open(const std::filesystem::path& link, std::string& error);
  // Closes both sides: whoever has the slave open sees the line hang up.
  void Close();

  int Master() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  // Held open so that the master never reports a hang-up while no client is
  // connected.
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace dotforge::sim
