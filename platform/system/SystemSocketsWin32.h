#pragma once

// The system's socket headers on Windows, for the code both systems share
// (SystemAddress.cpp and StreamSocket.cpp reach this file through
// KORVAN_SYSTEM_SOCKETS).

#include <winsock2.h>
#include <ws2tcpip.h>
