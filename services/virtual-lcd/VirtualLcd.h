#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "lcdlink/LcdServiceInterface.h"
#include "services/virtual-lcd/ButtonScript.h"
#include "services/virtual-lcd/FaultPlan.h"
#include "services/virtual-lcd/frames/FrameBoard.h"
#include "services/virtual-lcd/frames/FrameWorker.h"
#include "services/virtual-lcd/panel/WebPanel.h"

namespace korvan::virtual_lcd {

// The virtual LCD service behind the function table: one 160 x 43 device
// shown on the web panel and the terminal, recorded, with buttons from the
// panel or a script and faults on demand. Its operations run on the
// program's thread; the panel and the frame worker have threads of their
// own, which Cleanup ends.
class VirtualLcd {
 public:
  static constexpr std::int32_t kInvalidHandle = 6;
  static constexpr std::int32_t kInvalidParameter = 87;

  VirtualLcd() = default;
  ~VirtualLcd();
  VirtualLcd(const VirtualLcd&) = delete;
  VirtualLcd& operator=(const VirtualLcd&) = delete;

  std::int32_t Startup();
  std::int32_t Cleanup();
  std::int32_t Connect(LcdConnectContext* context);
  std::int32_t Disconnect(std::int32_t connection);
  std::int32_t QueryDevice(std::int32_t connection, std::int32_t index,
                           LcdDeviceDescription* description);
  std::int32_t OpenDevice(LcdOpenContext* context);
  std::int32_t CloseDevice(std::int32_t device);
  std::int32_t ReadButtons(std::int32_t device, std::uint32_t* mask);
  std::int32_t PushFrame(std::int32_t device, const void* frame, std::int32_t priority);
  std::int32_t SetForeground(std::int32_t device, std::int32_t value);

 private:
  bool started_ = false;
  FaultPlan faults_;
  std::optional<ButtonScript> buttons_;
  std::int32_t nextHandle_ = 1;
  std::set<std::int32_t> connections_;
  std::map<std::int32_t, std::int32_t> devices_;  // device -> its connection
  std::unique_ptr<FrameBoard> board_;
  std::unique_ptr<WebPanel> panel_;
  std::unique_ptr<FrameWorker> worker_;
};

}  // namespace korvan::virtual_lcd
