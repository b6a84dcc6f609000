// errno and resolver codes as the Windows Sockets numbers of platform/SocketTypes.h.
#pragma once

// A code without a Windows Sockets counterpart is returned unchanged.
int WinsockErrorFromErrno(int error);
// getaddrinfo's EAI_* codes and gethostbyname's h_errno codes.
int WinsockErrorFromAddrInfo(int eai_code);
int WinsockErrorFromHostError(int h_error);
