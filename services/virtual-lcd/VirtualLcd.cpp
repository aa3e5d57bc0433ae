#include "services/virtual-lcd/VirtualLcd.h"

#include <cstdio>
#include <iterator>

#include "platform/system/HostFiles.h"
#include "services/virtual-lcd/Settings.h"

namespace korvan::virtual_lcd {

VirtualLcd::~VirtualLcd() {
  Cleanup();
}

std::int32_t VirtualLcd::Startup() {
  if (started_) return kLcdAlreadyInitialized;
  std::string problems;
  const Settings settings = Settings::FromEnvironment(&problems);
  std::string faultProblems;
  FaultPlan faults = FaultPlan::Parse(settings.faults, &faultProblems);
  if (!faultProblems.empty()) {
    problems += "LCD_VIRTUAL_FAULTS: ignored " + faultProblems + " (see the plug-in's README)\n";
  }
  for (std::size_t at = 0, end; at < problems.size(); at = end + 1) {
    end = problems.find('\n', at);
    std::fprintf(stderr, "lcd-virtual: %s\n", problems.substr(at, end - at).c_str());
  }
  if (const std::int32_t code = faults.OnStartup()) return code;

  faults_ = std::move(faults);
  buttons_.reset();
  if (settings.buttonsFile) buttons_.emplace(*settings.buttonsFile);
  board_ = std::make_unique<FrameBoard>();
  if (settings.panel) {
    panel_ = std::make_unique<WebPanel>(*board_);
    if (!panel_->Start(*settings.panel)) panel_.reset();
  }
  std::optional<FrameRecorder> recorder;
  if (settings.recordFolder)
    recorder.emplace(*settings.recordFolder, settings.recordMax, settings.recordFormat);
  std::optional<TerminalView> view;
  if (settings.terminal) view.emplace(StandardErrorIsTerminal());
  if (recorder || view) {
    worker_ = std::make_unique<FrameWorker>(std::move(recorder), std::move(view), stderr);
  }
  started_ = true;
  return kLcdOk;
}

std::int32_t VirtualLcd::Cleanup() {
  if (!started_) return kLcdOk;
  if (panel_) panel_->Stop();
  panel_.reset();
  if (worker_) {
    worker_->Finish();
    if (worker_->Dropped() > 0) {
      std::fprintf(stderr,
                   "lcd-virtual: %llu frames came faster than they could be recorded "
                   "or drawn and were left out\n",
                   static_cast<unsigned long long>(worker_->Dropped()));
    }
  }
  worker_.reset();
  board_.reset();
  connections_.clear();
  devices_.clear();
  started_ = false;
  return kLcdOk;
}

std::int32_t VirtualLcd::Connect(LcdConnectContext* context) {
  if (!started_) return kLcdServiceNotActive;
  if (context == nullptr) return kInvalidParameter;
  if (const std::int32_t code = faults_.OnConnect()) return code;
  const std::int32_t connection = nextHandle_++;
  connections_.insert(connection);
  context->connection = connection;
  return kLcdOk;
}

std::int32_t VirtualLcd::Disconnect(std::int32_t connection) {
  if (!started_) return kLcdServiceNotActive;
  if (connections_.erase(connection) == 0) return kInvalidHandle;
  std::erase_if(devices_, [&](const auto& device) { return device.second == connection; });
  board_->SetConnected(!devices_.empty());
  return kLcdOk;
}

std::int32_t VirtualLcd::QueryDevice(std::int32_t connection, std::int32_t index,
                                     LcdDeviceDescription* description) {
  if (!started_) return kLcdServiceNotActive;
  if (connections_.count(connection) == 0) return kInvalidHandle;
  if (description == nullptr) return kInvalidParameter;
  if (const std::int32_t code = faults_.OnQuery()) return code;
  if (index != 0) return kLcdNoMoreItems;  // there is one device
  *description = LcdDeviceDescription{{LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT, 4, 1}};
  return kLcdOk;
}

std::int32_t VirtualLcd::OpenDevice(LcdOpenContext* context) {
  if (!started_) return kLcdServiceNotActive;
  if (context == nullptr) return kInvalidParameter;
  if (connections_.count(context->connection) == 0) return kInvalidHandle;
  if (context->deviceIndex != 0) return kLcdDeviceNotConnected;
  const std::int32_t device = nextHandle_++;
  devices_[device] = context->connection;
  context->device = device;
  board_->SetConnected(true);
  return kLcdOk;
}

std::int32_t VirtualLcd::CloseDevice(std::int32_t device) {
  if (!started_) return kLcdServiceNotActive;
  if (devices_.erase(device) == 0) return kInvalidHandle;
  board_->SetConnected(!devices_.empty());
  return kLcdOk;
}

std::int32_t VirtualLcd::ReadButtons(std::int32_t device, std::uint32_t* mask) {
  if (!started_) return kLcdServiceNotActive;
  if (mask == nullptr) return kInvalidParameter;
  if (devices_.count(device) == 0) return kLcdDeviceNotConnected;
  if (const std::int32_t code = faults_.OnRead()) return code;
  *mask = board_->TakePanelButtons() | (buttons_ ? buttons_->Read() : 0u);
  return kLcdOk;
}

std::int32_t VirtualLcd::PushFrame(std::int32_t device, const void* frame, std::int32_t) {
  if (!started_) return kLcdServiceNotActive;
  if (frame == nullptr) return kInvalidParameter;
  if (devices_.count(device) == 0) return kLcdDeviceNotConnected;
  std::int32_t result = faults_.OnPush();
  if (result == kLcdOk) {
    // Every frame is shown whatever its priority: there is no other
    // application to share the display with.
    const auto* pixels = static_cast<const std::uint8_t*>(frame) + LCD_FRAME_HEADER_BYTES;
    board_->Publish(pixels);
    if (worker_) worker_->Enqueue(pixels);
  }
  board_->SetLastResult(result);
  return result;
}

std::int32_t VirtualLcd::SetForeground(std::int32_t device, std::int32_t) {
  if (!started_) return kLcdServiceNotActive;
  return devices_.count(device) == 0 ? kInvalidHandle : kLcdOk;
}

}  // namespace korvan::virtual_lcd
