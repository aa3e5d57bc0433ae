#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include "platform/system/NetworkAddresses.h"
#include "platform/system/SystemAddress.h"

namespace korvan {

std::vector<IpAddress> InterfaceAddresses() {
  std::vector<IpAddress> found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  for (const ifaddrs* at = list; at != nullptr; at = at->ifa_next) {
    IpAddress address;
    int port = 0;
    if ((at->ifa_flags & IFF_UP) && FromSystemAddress(at->ifa_addr, address, port))
      found.push_back(address);
  }
  freeifaddrs(list);
  return found;
}

}  // namespace korvan
