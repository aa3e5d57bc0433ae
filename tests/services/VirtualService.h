#pragma once

#include <gtest/gtest.h>

#include <string>

#include "lcdlink/LcdManagerService.h"

namespace korvan::testing {

// The built virtual LCD service, loaded for real, with one open device.
class VirtualService {
 public:
  VirtualService() : service_(std::filesystem::path(KORVAN_VIRTUAL_LCD_PLUGIN)) {}

  LcdManagerService& operator*() { return service_; }
  LcdManagerService* operator->() { return &service_; }

  // Startup, Connect, QueryDevice and OpenDevice; the device handle.
  std::int32_t Open() {
    EXPECT_EQ(service_.Startup(), kLcdOk);
    LcdConnectContext connect{};
    connect.connection = -1;
    EXPECT_EQ(service_.Connect(&connect), kLcdOk);
    LcdDeviceDescription description{};
    EXPECT_EQ(service_.QueryDevice(connect.connection, 0, &description), kLcdOk);
    LcdOpenContext open{};
    open.connection = connect.connection;
    EXPECT_EQ(service_.OpenDevice(&open), kLcdOk);
    connection_ = connect.connection;
    return open.device;
  }
  std::int32_t connection() const { return connection_; }

  std::int32_t Push(std::int32_t device, const std::string& frame) {
    return service_.PushFrame(device, frame.data(), 128);
  }
  std::uint32_t Buttons(std::int32_t device) {
    std::uint32_t mask = 0;
    EXPECT_EQ(service_.ReadButtons(device, &mask), kLcdOk);
    return mask;
  }

 private:
  LcdManagerService service_;
  std::int32_t connection_ = -1;
};

}  // namespace korvan::testing
