#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "lcdlink/LcdServiceInterface.h"
#include "platform/system/NativePath.h"
#include "platform/system/SharedLibrary.h"

namespace korvan {

// The LCD manager service: loads the plug-in, keeps its function table and
// the started flag that guards every call. A plug-in whose own start-up
// fails is unloaded again and the flag stays clear, so a later Startup
// tries afresh. Not thread-safe; the display
// cycle's thread is its only caller. Results are the codes of
// LcdServiceInterface.h.
class LcdManagerService {
 public:
  // Loads the plug-in named by LocateLcdService() at Startup.
  LcdManagerService();
  // Loads the plug-in at a fixed path at Startup.
  explicit LcdManagerService(NativePath libraryPath);
  // Serves from a table that is already at hand (a fake, in tests): nothing
  // is loaded, and the table must outlive the service.
  explicit LcdManagerService(const LcdServiceTable& table);
  ~LcdManagerService();
  LcdManagerService(const LcdManagerService&) = delete;
  LcdManagerService& operator=(const LcdManagerService&) = delete;

  // The one the program uses, loading from LocateLcdService().
  static LcdManagerService& Shared();

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

  bool IsStarted() const { return started_; }

  // The count of outputs holding a share of the service: the first share
  // starts it, the last one given back cleans it up. Atomic, so outputs on
  // other threads could share it too. Each returns the new count.
  std::int32_t AddShare() { return shares_.fetch_add(1) + 1; }
  std::int32_t ReleaseShare() { return shares_.fetch_sub(1) - 1; }
  std::int32_t Shares() const { return shares_.load(); }

 private:
  // Finds the table; false (with the library unloaded) when there is none.
  bool Load();
  // The plug-in's path, or empty after reporting why there is none.
  NativePath LibraryPath();
  // Once until a load succeeds: the program tries to start the service more
  // than once while it sets up. `what` says why there is no LCD.
  void ReportLoadFailure(const std::string& what);

  std::optional<NativePath> libraryPath_;  // unset: LocateLcdService()
  const LcdServiceTable* injected_ = nullptr;
  SharedLibrary library_;
  const LcdServiceTable* table_ = nullptr;
  bool started_ = false;
  bool failureReported_ = false;
  bool noteSaid_ = false;
  std::atomic<std::int32_t> shares_{0};
};

}  // namespace korvan
