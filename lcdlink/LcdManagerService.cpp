#include "lcdlink/LcdManagerService.h"

#include <cstdio>
#include <string>
#include <utility>

#include "lcdlink/LcdServiceLocation.h"
#include "lcdlink/ServiceEntryCall.h"
#include "platform/system/Console.h"

namespace korvan {
namespace {

// A table that leaves out an operation the program calls would crash it on
// first use, so it is refused like a missing one.
bool IsComplete(const LcdServiceTable& table) {
  return table.Startup != nullptr && table.Cleanup != nullptr && table.Connect != nullptr &&
         table.Disconnect != nullptr && table.QueryDevice != nullptr &&
         table.OpenDevice != nullptr && table.CloseDevice != nullptr &&
         table.ReadButtons != nullptr && table.PushFrame != nullptr &&
         table.SetForeground != nullptr;
}

}  // namespace

LcdManagerService::LcdManagerService() = default;

LcdManagerService::LcdManagerService(NativePath libraryPath)
    : libraryPath_(std::move(libraryPath)) {}

LcdManagerService::LcdManagerService(const LcdServiceTable& table) : injected_(&table) {}

// Unloading a plug-in whose threads still run would crash, so a service
// dropped while started is cleaned up first.
LcdManagerService::~LcdManagerService() {
  Cleanup();
}

LcdManagerService& LcdManagerService::Shared() {
  static LcdManagerService* const service = new LcdManagerService();
  return *service;
}

bool LcdManagerService::Load() {
  if (injected_ != nullptr) {
    if (IsComplete(*injected_)) {
      table_ = injected_;
      failureReported_ = false;
      return true;
    }
    ReportLoadFailure("no LCD service from the given table: the function table lacks an operation");
    return false;
  }
  const NativePath path = LibraryPath();
  if (path.empty()) return false;
  if (!library_.Open(path)) {
    ReportLoadFailure("no LCD service from " + path.Text() + ": " + library_.Error());
    return false;
  }
  std::string reason;
  void* entry = library_.Symbol(LCD_SERVICE_ENTRY_POINT);
  if (entry == nullptr) {
    reason = library_.Error();
  } else {
    const LcdServiceTable* table = CallServiceEntry(entry, LCD_SERVICE_INTERFACE_VERSION);
    if (table == nullptr) {
      reason = "GetInterface(2) returned no table";
    } else if (!IsComplete(*table)) {
      reason = "the function table lacks an operation";
    } else {
      table_ = table;
      failureReported_ = false;
      return true;
    }
  }
  library_.Close();
  ReportLoadFailure("no LCD service from " + path.Text() + ": " + reason);
  return false;
}

NativePath LcdManagerService::LibraryPath() {
  if (libraryPath_) return *libraryPath_;
  const LcdServiceLocation location = LocateLcdService();
  if (!location.otherWidth.empty()) {
    ReportLoadFailure(location.otherWidth);
  } else if (location.path.empty()) {
    ReportLoadFailure("no LCD service " + location.refusal);
  } else if (!location.note.empty() && !std::exchange(noteSaid_, true)) {
    WriteText(stderr, location.note + "\n");
  }
  return location.path;
}

// Through WriteText: the line may name a folder in any language.
void LcdManagerService::ReportLoadFailure(const std::string& what) {
  if (failureReported_) return;
  failureReported_ = true;
  WriteText(stderr, "korvan: " + what + "; running without the LCD\n");
}

std::int32_t LcdManagerService::Startup() {
  if (started_) return kLcdAlreadyInitialized;
  if (!Load()) return kLcdServerUnavailable;
  // A plug-in that did not start is let go at once, so the next Startup
  // loads and starts it afresh instead of finding it "already started".
  const std::int32_t result = table_->Startup();
  if (result != kLcdOk) {
    library_.Close();
    table_ = nullptr;
    return result;
  }
  started_ = true;
  return kLcdOk;
}

std::int32_t LcdManagerService::Cleanup() {
  if (!started_) return kLcdOk;
  const std::int32_t result = table_->Cleanup();
  library_.Close();
  table_ = nullptr;
  started_ = false;
  return result;
}

std::int32_t LcdManagerService::Connect(LcdConnectContext* context) {
  return started_ ? table_->Connect(context) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::Disconnect(std::int32_t connection) {
  return started_ ? table_->Disconnect(connection) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::QueryDevice(std::int32_t connection, std::int32_t index,
                                            LcdDeviceDescription* description) {
  return started_ ? table_->QueryDevice(connection, index, description) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::OpenDevice(LcdOpenContext* context) {
  return started_ ? table_->OpenDevice(context) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::CloseDevice(std::int32_t device) {
  return started_ ? table_->CloseDevice(device) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::ReadButtons(std::int32_t device, std::uint32_t* mask) {
  return started_ ? table_->ReadButtons(device, mask) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::PushFrame(std::int32_t device, const void* frame,
                                          std::int32_t priority) {
  return started_ ? table_->PushFrame(device, frame, priority) : kLcdServiceNotActive;
}

std::int32_t LcdManagerService::SetForeground(std::int32_t device, std::int32_t value) {
  return started_ ? table_->SetForeground(device, value) : kLcdServiceNotActive;
}

}  // namespace korvan
