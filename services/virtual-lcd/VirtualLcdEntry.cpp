// The plug-in's one export: the function table over a single VirtualLcd.

#include "lcdlink/LcdServiceInterface.h"
#include "services/virtual-lcd/VirtualLcd.h"

namespace korvan::virtual_lcd {
namespace {

VirtualLcd& Service() {
  static VirtualLcd service;  // ended (threads stopped) when the library unloads
  return service;
}

// Named functions rather than lambdas: the table's convention (__stdcall on
// 32-bit Windows) is not one a lambda converts to.
std::int32_t KORVAN_LCD_CALL Startup() {
  return Service().Startup();
}
std::int32_t KORVAN_LCD_CALL Cleanup() {
  return Service().Cleanup();
}
std::int32_t KORVAN_LCD_CALL Connect(LcdConnectContext* context) {
  return Service().Connect(context);
}
std::int32_t KORVAN_LCD_CALL Disconnect(std::int32_t connection) {
  return Service().Disconnect(connection);
}
std::int32_t KORVAN_LCD_CALL QueryDevice(std::int32_t connection, std::int32_t index,
                                         LcdDeviceDescription* description) {
  return Service().QueryDevice(connection, index, description);
}
std::int32_t KORVAN_LCD_CALL OpenDevice(LcdOpenContext* context) {
  return Service().OpenDevice(context);
}
std::int32_t KORVAN_LCD_CALL CloseDevice(std::int32_t device) {
  return Service().CloseDevice(device);
}
std::int32_t KORVAN_LCD_CALL ReadButtons(std::int32_t device, std::uint32_t* mask) {
  return Service().ReadButtons(device, mask);
}
std::int32_t KORVAN_LCD_CALL PushFrame(std::int32_t device, const void* frame,
                                       std::int32_t priority) {
  return Service().PushFrame(device, frame, priority);
}
std::int32_t KORVAN_LCD_CALL SetForeground(std::int32_t device, std::int32_t value) {
  return Service().SetForeground(device, value);
}

LcdServiceTable MakeTable() {
  LcdServiceTable table{};
  table.Startup = Startup;
  table.Cleanup = Cleanup;
  table.Connect = Connect;
  table.Disconnect = Disconnect;
  table.QueryDevice = QueryDevice;
  table.OpenDevice = OpenDevice;
  table.CloseDevice = CloseDevice;
  table.ReadButtons = ReadButtons;
  table.PushFrame = PushFrame;
  table.SetForeground = SetForeground;
  return table;
}

const LcdServiceTable kTable = MakeTable();

}  // namespace
}  // namespace korvan::virtual_lcd

// Windows: exported, undecorated, by the module definition file beside this
// one.
extern "C" KORVAN_LCD_EXPORT const LcdServiceTable* GetInterface(int32_t version) {
  return version == LCD_SERVICE_INTERFACE_VERSION ? &korvan::virtual_lcd::kTable : nullptr;
}
