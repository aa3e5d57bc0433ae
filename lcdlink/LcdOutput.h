#pragma once

#include <cstdint>
#include <vector>

#include "lcd/LcdPage.h"
#include "lcdlink/LcdLinkReport.h"
#include "lcdlink/LcdManagerService.h"

namespace korvan {

// Connects the item library to the LCD: keeps the registered pages and the
// active one, connects to the service lazily and again after errors, pushes
// the active page's frame and turns soft-button changes into down and up
// calls. It is itself a page whose own, never drawn, canvas is the blank
// frame.
class LcdOutput : public LcdPage {
 public:
  static constexpr std::int32_t kDefaultPriority = 128;

  LcdOutput(Clock& clock, LcdManagerService& service);
  ~LcdOutput() override = default;

  // Prepares with the default connect context ("My App").
  std::int32_t Initialize() override;
  // Prepares: creates the blank canvas, initialises the registered pages,
  // takes a share of the service (starting it with the first share) and
  // keeps the connect context. Nothing is connected yet.
  std::int32_t Initialize(const LcdConnectContext* context);
  // Closes what is open and gives one share back; returns the shares left,
  // or the service's cleanup result when the last one went.
  std::int32_t ReleaseShare();
  void Shutdown() override { ReleaseShare(); }

  void AddPage(LcdPage* page) { pages_.push_back(page); }
  void SetActivePage(LcdPage* page);
  void LockActivePage(LcdPage* page);
  void UnlockActivePage();

  void Advance(std::uint32_t now) override;
  std::int32_t Render() override;
  void OnButtonDown(std::int32_t button) override;
  void OnButtonUp(std::int32_t button) override;

  virtual void OnPageExpired(LcdPage* page);
  virtual void CloseDevice(std::int32_t device);
  virtual void Disconnect(std::int32_t connection);

  void CloseAll();
  bool IsDeviceOpen() const { return device_ != -1; }
  void SetPriority(std::int32_t priority);
  void SetForeground(std::int32_t foreground);
  const LcdFrame* GetActiveFrame();

  // Shares of the service this output holds (0 or more).
  std::int32_t SharesHeld() const { return sharesHeld_; }
  LcdPage* activePage() const { return activePage_; }

 private:
  std::int32_t ConnectAndOpen();
  void HandleResult(std::int32_t result);
  void PollButtons();
  void PushBlankFrame();

  LcdManagerService& service_;
  LcdPage* activePage_ = nullptr;
  std::vector<LcdPage*> pages_;  // not owned, in the order they were added
  std::int32_t connection_ = -1;
  std::int32_t device_ = -1;
  std::int32_t priority_ = kDefaultPriority;
  bool pageLocked_ = false;
  std::uint32_t lastButtons_ = 0;
  std::int32_t foreground_ = 0;
  LcdConnectContext connectContext_{};
  std::int32_t sharesHeld_ = 0;
  LcdLinkReport report_;
  bool renderFailing_ = false;  // said once on standard error until it renders again
};

}  // namespace korvan
