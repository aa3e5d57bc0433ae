// The plug-in's one export: the function table over a single VirtualLcd.

#include "lcdlink/LcdServiceInterface.h"
#include "services/virtual-lcd/VirtualLcd.h"

namespace korvan::virtual_lcd {
namespace {

VirtualLcd& Service() {
  static VirtualLcd service;  // ended (threads stopped) when the library unloads
  return service;
}

LcdServiceTable MakeTable() {
  LcdServiceTable table{};
  table.Startup = [] { return Service().Startup(); };
  table.Cleanup = [] { return Service().Cleanup(); };
  table.Connect = [](LcdConnectContext* context) { return Service().Connect(context); };
  table.Disconnect = [](std::int32_t connection) { return Service().Disconnect(connection); };
  table.QueryDevice = [](std::int32_t connection, std::int32_t index,
                         LcdDeviceDescription* description) {
    return Service().QueryDevice(connection, index, description);
  };
  table.OpenDevice = [](LcdOpenContext* context) { return Service().OpenDevice(context); };
  table.CloseDevice = [](std::int32_t device) { return Service().CloseDevice(device); };
  table.ReadButtons = [](std::int32_t device, std::uint32_t* mask) {
    return Service().ReadButtons(device, mask);
  };
  table.PushFrame = [](std::int32_t device, const void* frame, std::int32_t priority) {
    return Service().PushFrame(device, frame, priority);
  };
  table.SetForeground = [](std::int32_t device, std::int32_t value) {
    return Service().SetForeground(device, value);
  };
  return table;
}

const LcdServiceTable kTable = MakeTable();

}  // namespace
}  // namespace korvan::virtual_lcd

extern "C" __attribute__((visibility("default"))) const LcdServiceTable* GetInterface(
    int32_t version) {
  return version == LCD_SERVICE_INTERFACE_VERSION ? &korvan::virtual_lcd::kTable : nullptr;
}
