/* A plug-in whose GetInterface supports no version. */
#include "lcdlink/LcdServiceInterface.h"

const LcdServiceTable* GetInterface(int32_t version) {
  (void)version;
  return 0;
}
