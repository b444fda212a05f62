#pragma once
// A virtual printer on a pseudo-terminal. It speaks the printer's protocol
// (PrinterEngine), takes what it reads at the line's baud rate, can be told to
// misbehave, keeps every byte it receives, and stops by itself after its time-out.

#include <termios.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/bytes.h"
#include "platform/event.h"
#include "printersim/line_stretch.h"
#include "printersim/printer_engine.h"
#include "printersim/pseudo_terminal.h"

namespace dotforge::sim {

enum class Misbehaviour {
  None,
  Nak,         // every answer is NAK
  Silent,      // never answers
  Garbage,     // two stray bytes before every answer
  XonXoff,     // XOFF, XON inside every answer longer than one byte
  XonFirst,    // XON before every answer
  Slow,        // every answer comes late
  DropLine,    // the line goes away after some bytes, then comes back
  Stall,       // stops reading after some bytes, until Recover
};

struct SimulatorOptions {
  std::filesystem::path link;
  // Bytes per second are taken from the line's own settings (baud rate, parity)
  // unless `baudRate` is set; `paced` false reads as fast as the bytes come.
  bool paced = true;
  int baudRate = 0;
  std::size_t memory = kDefaultMemory;
  Misbehaviour misbehaviour = Misbehaviour::None;
  int slowMs = 2500;
  std::size_t dropAfterBytes = 1024;
  std::size_t stallAfterBytes = 1024;
  std::filesystem::path record;  // every byte received is appended here too
  double timeoutSeconds = 300;
};

// The names accepted by --misbehave.
std::optional<Misbehaviour> MisbehaviourFromName(std::string_view name);
const char* MisbehaviourNames();

class PrinterSimulator {
 public:
  using Output = std::function<void(std::string_view line)>;

  PrinterSimulator(SimulatorOptions options, Output output);
  PrinterSimulator(const PrinterSimulator&) = delete;
  PrinterSimulator& operator=(const PrinterSimulator&) = delete;
  // Stops, and removes the link.
  ~PrinterSimulator();

  // Creates the pseudo-terminal and the link; false with a reason in `error`.
  bool Open(std::string& error);
  // Serves the line until Stop or the time-out.
  void Run();
  // Run on a thread of its own.
  void Start();
  // Safe from any thread and from a signal handler.
  void Stop() { stop_.Set(); }
  // The printer stops reading the line (its buffer is full and it is stuck).
  void Stall() { stalled_ = true; }
  // The stuck printer is reset: what waits on the line unread is thrown away,
  // a command cut off is forgotten, and it reads again. Returns once done (or
  // after a second when the simulator does not run).
  void Recover();
  bool Stalled() const { return stalled_.load(); }
  // How the printer answers from now on.
  void SetMisbehaviour(Misbehaviour misbehaviour) { answers_ = misbehaviour; }
  void Join();

  // What the simulator has received so far, and its fonts.
  Bytes Received() const;
  std::array<std::optional<StoredFont>, kSlots> Slots() const;
  std::size_t FreeMemory() const;
  int PrintedCount() const;
  int DropCount() const { return drops_.load(); }
  // The line settings the client has put on the line.
  termios LineSettings() const;
  const std::string& SlavePath() const { return terminal_.SlavePath(); }

 private:
  double BytesPerSecond() const;
  // Takes the bytes read, piece by piece, each once the line has carried it.
  void TakeAtLinePace(ByteView bytes, LineStretch& stretch);
  // False when the printer stops taking bytes part way: it stalled, or its
  // line went away.
  bool Take(ByteView bytes);
  void Answer(Bytes reply);
  void WriteToLine(ByteView bytes);
  void DropLine();
  void DiscardUnread();

  SimulatorOptions options_;
  Output output_;
  PseudoTerminal terminal_;
  Event stop_{ResetMode::Manual};
  Event recover_{ResetMode::Auto};
  Event recovered_{ResetMode::Auto};
  std::atomic<bool> stalled_{false};
  std::atomic<Misbehaviour> answers_;
  std::thread thread_;
  std::ofstream record_;
  mutable std::mutex mutex_;
  PrinterEngine engine_;
  Bytes received_;
  std::size_t sinceConnect_ = 0;
  std::atomic<int> drops_{0};
  bool dropped_ = false;
};

}  // namespace dotforge::sim
