#pragma once
// The numbers of the errors a request reports, in the range the system
// gives its internet errors (12000 and up), far from the program's own
// numbers and those of the data layer.

namespace net {

inline constexpr long kErrTimeOut = 12002;          // not complete within the time-out
inline constexpr long kErrInvalidAddress = 12005;   // not an http or https address
inline constexpr long kErrHostNotFound = 12007;     // the server's name is not known
inline constexpr long kErrCancelled = 12017;        // broken off by the program
inline constexpr long kErrCannotConnect = 12029;    // the server refuses or cannot be reached
inline constexpr long kErrConnectionClosed = 12030; // the connection broke off midway
inline constexpr long kErrHttpStatus = 12152;       // the server answered with an error status
inline constexpr long kErrProxy = 12166;            // the proxy is not set or fails
inline constexpr long kErrTooLarge = 12174;         // more bytes than allowed or expected
inline constexpr long kErrWrongSize = 12175;        // complete, but not the expected size
inline constexpr long kErrNetwork = 12004;          // any other failure of the transfer
inline constexpr long kErrWrite = 75;               // the file cannot be written

} // namespace net
