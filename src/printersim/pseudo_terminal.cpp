#include "printersim/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace dotforge::sim {

bool PseudoTerminal::Open(const std::filesystem::path& link, std::string& error) {
  Close();
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128] = {};
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
    error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
    Close();
    return false;
  }
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios line{};
  if (slave_ < 0 || tcgetattr(slave_, &line) != 0) {
    error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
    Close();
    return false;
  }
  cfmakeraw(&line);
  tcsetattr(slave_, TCSANOW, &line);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  // Replace the link in one step, so a client never finds it missing.
  const std::filesystem::path temporary = link.string() + ".new";
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  if (symlink(slavePath_.c_str(), temporary.c_str()) != 0 || rename(temporary.c_str(), link.c_str()) != 0) {
    error = "cannot create the link " + link.string() + ": " + std::strerror(errno);
    Close();
    return false;
  }
  return true;
}

void PseudoTerminal::Close() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
  slave_ = master_ = -1;
}

}  // namespace dotforge::sim
