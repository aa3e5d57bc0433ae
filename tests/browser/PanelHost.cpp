// The browser test's host of the virtual LCD service: it prints "ready" once
// the device is open, pushes a known frame twenty times a second, prints each
// change of the soft buttons as "buttons N", and ends when its input closes.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "lcdlink/LcdManagerService.h"

namespace {

// Lit: an 8-pixel checkerboard in the left half, the whole bottom row.
std::string TestFrame() {
  std::string frame(LCD_FRAME_BYTES, '\0');
  frame[0] = 1;
  for (int i = 0; i < LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT; ++i) {
    const int x = i % LCD_FRAME_WIDTH, y = i / LCD_FRAME_WIDTH;
    const bool lit = (x < 80 && (x / 8 + y / 8) % 2 == 0) || y == LCD_FRAME_HEIGHT - 1;
    frame[LCD_FRAME_HEADER_BYTES + i] = static_cast<char>(lit ? 255 : 0);
  }
  return frame;
}

// Startup, Connect, QueryDevice and OpenDevice; the device, or -1.
std::int32_t OpenDevice(korvan::LcdManagerService& service) {
  LcdConnectContext connect{};
  if (service.Startup() != kLcdOk || service.Connect(&connect) != kLcdOk) return -1;
  LcdDeviceDescription description{};
  if (service.QueryDevice(connect.connection, 0, &description) != kLcdOk) return -1;
  LcdOpenContext open{};
  open.connection = connect.connection;
  if (service.OpenDevice(&open) != kLcdOk) return -1;
  return open.device;
}

bool InputClosed(int timeoutMs) {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  if (poll(&input, 1, timeoutMs) <= 0) return false;
  char byte;
  return read(STDIN_FILENO, &byte, 1) <= 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PLUGIN\n", argv[0]);
    return 2;
  }
  korvan::LcdManagerService service{std::filesystem::path(argv[1])};
  const std::int32_t device = OpenDevice(service);
  if (device == -1) {
    std::fprintf(stderr, "lcd_panel_host: the service did not open its device\n");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  const std::string frame = TestFrame();
  std::uint32_t shown = 0;
  for (int cycle = 0; cycle < 20 * 120 && !InputClosed(50); ++cycle) {
    service.PushFrame(device, frame.data(), 128);
    std::uint32_t mask = 0;
    service.ReadButtons(device, &mask);
    if (mask != shown) {
      shown = mask;
      std::printf("buttons %u\n", mask);
      std::fflush(stdout);
    }
  }
  return service.Cleanup();
}
