#pragma once

// The system's socket headers on Linux, for the code both systems share
// (SystemAddress.cpp and StreamSocket.cpp reach this file through
// KORVAN_SYSTEM_SOCKETS).

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
