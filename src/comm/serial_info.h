#pragma once
// The serial transport: a printer on "COM1".."COM4", each name standing for a
// device path (by default /dev/ttyS0../dev/ttyS3), or on a device chosen by its
// path. The port is opened
// exclusively and put into raw mode with the configured line settings; DTR is
// raised while it is open. A pseudo-terminal, which has no modem-control lines,
// works as a line without modem control.

#include <termios.h>

#include <cstdint>
#include <string>

#include "comm/comm_info.h"
#include "comm/line_parameters.h"

namespace dotforge {

class CSerialInfo : public CCommInfo {
 public:
  static constexpr std::size_t kLargestWrite = 1024;
  static constexpr int kReopenPauseMs = 500;
  static constexpr std::uint32_t kNeverApplied = 0xFFFFFFFF;

  explicit CSerialInfo(CCommContext& owner);
  ~CSerialInfo() override;

  bool CreateHandle() override;
  bool Open() override;
  bool SetDefaults() override;
  void ApplySettings() override;
  bool Close() override;

  const std::string& PortNameText() const { return portName_; }
  const std::string& DevicePath() const { return devicePath_; }
  const LineParameters& Parameters() const { return parameters_; }
  // How many times the device has been opened; a reopen shows here.
  int OpenCount() const { return openCount_; }
  // False on a line without modem-control lines (a pseudo-terminal).
  bool HasModemControl() const { return modemControl_; }

 private:
  bool SettingsUnchanged() const;
  bool Configure();
  void CloseHandle();
  void ReportCloseFailure(const char* message, int error);

  LineParameters parameters_;
  termios original_{};
  bool haveOriginal_ = false;
  std::uint32_t appliedPort_ = kNeverApplied;
  std::uint32_t appliedBaudRate_ = kNeverApplied;
  std::uint32_t appliedParity_ = kNeverApplied;
  std::uint32_t appliedFlowControl_ = kNeverApplied;
  std::string appliedDevice_;
  std::string portName_;
  std::string devicePath_;
  // Why the last CreateHandle failed.
  std::string openFailure_;
  bool modemControl_ = true;
  int openCount_ = 0;
};

}  // namespace dotforge
