#include <algorithm>
#include <iterator>

#include "message_tables.h"

namespace TeskUtility::message_tables {
namespace {

struct Message {
    std::uint32_t code;
    const char* text;
};

// Sorted by code. The commonly met Win32 error codes, with the texts Windows
// gives them.
constexpr Message kWin32[] = {
    {0, "The operation completed successfully."},
    {1, "Incorrect function."},
    {2, "The system cannot find the file specified."},
    {3, "The system cannot find the path specified."},
    {4, "The system cannot open the file."},
    {5, "Access is denied."},
    {6, "The handle is invalid."},
    {7, "The storage control blocks were destroyed."},
    {8, "Not enough memory resources are available to process this command."},
    {9, "The storage control block address is invalid."},
    {10, "The environment is incorrect."},
    {11, "An attempt was made to load a program with an incorrect format."},
    {12, "The access code is invalid."},
    {13, "The data is invalid."},
    {14, "Not enough memory resources are available to complete this operation."},
    {15, "The system cannot find the drive specified."},
    {16, "The directory cannot be removed."},
    {17, "The system cannot move the file to a different disk drive."},
    {18, "There are no more files."},
    {19, "The media is write protected."},
    {20, "The system cannot find the device specified."},
    {21, "The device is not ready."},
    {22, "The device does not recognize the command."},
    {23, "Data error (cyclic redundancy check)."},
    {24, "The program issued a command but the command length is incorrect."},
    {25, "The drive cannot locate a specific area or track on the disk."},
    {26, "The specified disk or diskette cannot be accessed."},
    {27, "The drive cannot find the sector requested."},
    {28, "The printer is out of paper."},
    {29, "The system cannot write to the specified device."},
    {30, "The system cannot read from the specified device."},
    {31, "A device attached to the system is not functioning."},
    {32, "The process cannot access the file because it is being used by another process."},
    {33, "The process cannot access the file because another process has locked a portion of the file."},
    {36, "Too many files opened for sharing."},
    {38, "Reached the end of the file."},
    {39, "The disk is full."},
    {50, "The request is not supported."},
    {51, "Windows cannot find the network path. Verify that the network path is correct and the destination "
         "computer is not busy or turned off. If Windows still cannot find the network path, contact your network "
         "administrator."},
    {52, "You were not connected because a duplicate name exists on the network. If joining a domain, go to System "
         "in Control Panel to change the computer name and try again. If joining a workgroup, choose another "
         "workgroup name."},
    {53, "The network path was not found."},
    {54, "The network is busy."},
    {55, "The specified network resource or device is no longer available."},
    {59, "An unexpected network error occurred."},
    {64, "The specified network name is no longer available."},
    {65, "Network access is denied."},
    {67, "The network name cannot be found."},
    {80, "The file exists."},
    {82, "The directory or file cannot be created."},
    {87, "The parameter is incorrect."},
    {89, "The system cannot start another process at this time."},
    {108, "The disk is in use or locked by another process."},
    {109, "The pipe has been ended."},
    {110, "The system cannot open the device or file specified."},
    {111, "The file name is too long."},
    {112, "There is not enough space on the disk."},
    {114, "The target internal file identifier is incorrect."},
    {117, "The IOCTL call made by the application program is not correct."},
    {120, "This function is not supported on this system."},
    {121, "The semaphore timeout period has expired."},
    {122, "The data area passed to a system call is too small."},
    {123, "The filename, directory name, or volume label syntax is incorrect."},
    {126, "The specified module could not be found."},
    {127, "The specified procedure could not be found."},
    {128, "There are no child processes to wait for."},
    {145, "The directory is not empty."},
    {158, "The segment is already unlocked."},
    {161, "The specified path is invalid."},
    {164, "No more threads can be created in the system."},
    {167, "Unable to lock a region of a file."},
    {170, "The requested resource is in use."},
    {183, "Cannot create a file when that file already exists."},
    {193, "%1 is not a valid Win32 application."},
    {203, "The system could not find the environment option that was entered."},
    {206, "The filename or extension is too long."},
    {230, "The pipe state is invalid."},
    {231, "All pipe instances are busy."},
    {232, "The pipe is being closed."},
    {233, "No process is on the other end of the pipe."},
    {234, "More data is available."},
    {258, "The wait operation timed out."},
    {259, "No more data is available."},
    {266, "The copy functions cannot be used."},
    {267, "The directory name is invalid."},
    {299, "Only part of a ReadProcessMemory or WriteProcessMemory request was completed."},
    {487, "Attempt to access invalid address."},
    {534, "Arithmetic result exceeded 32 bits."},
    {535, "There is a process on other end of the pipe."},
    {536, "Waiting for a process to open the other end of the pipe."},
    {995, "The I/O operation has been aborted because of either a thread exit or an application request."},
    {996, "Overlapped I/O event is not in a signaled state."},
    {997, "Overlapped I/O operation is in progress."},
    {998, "Invalid access to memory location."},
    {1001, "Recursion too deep; the stack overflowed."},
    {1004, "Invalid flags."},
    {1009, "The configuration registry database is corrupt."},
    {1010, "The configuration registry key is invalid."},
    {1011, "The configuration registry key could not be opened."},
    {1012, "The configuration registry key could not be read."},
    {1013, "The configuration registry key could not be written."},
    {1015, "The registry is corrupted."},
    {1018, "Illegal operation attempted on a registry key that has been marked for deletion."},
    {1051, "A stop control has been sent to a service that other running services are dependent on."},
    {1052, "The requested control is not valid for this service."},
    {1053, "The service did not respond to the start or control request in a timely fashion."},
    {1056, "An instance of the service is already running."},
    {1060, "The specified service does not exist as an installed service."},
    {1062, "The service has not been started."},
    {1073, "The specified service already exists."},
    {1114, "A dynamic link library (DLL) initialization routine failed."},
    {1150, "The specified program requires a newer version of Windows."},
    {1155, "No application is associated with the specified file for this operation."},
    {1168, "Element not found."},
    {1169, "There was no match for the specified key in the index."},
    {1200, "The specified device name is invalid."},
    {1203, "The network path was either typed incorrectly, does not exist, or the network provider is not currently "
           "available. Please try retyping the path or contact your network administrator."},
    {1222, "The network is not present or not started."},
    {1223, "The operation was canceled by the user."},
    {1225, "The remote computer refused the network connection."},
    {1226, "The network connection was gracefully closed."},
    {1231, "The network location cannot be reached. For information about network troubleshooting, see Windows "
           "Help."},
    {1232, "The network location cannot be reached. For information about network troubleshooting, see Windows "
           "Help."},
    {1236, "The network connection was aborted by the local system."},
    {1244, "The operation being requested was not performed because the user has not been authenticated."},
    {1245, "The operation being requested was not performed because the user has not logged on to the network. The "
           "specified service does not exist."},
    {1314, "A required privilege is not held by the client."},
    {1326, "The user name or password is incorrect."},
    {1327, "Account restrictions are preventing this user from signing in. For example: blank passwords aren't "
           "allowed, sign-in times are limited, or a policy restriction has been enforced."},
    {1330, "The password for this account has expired."},
    {1331, "This user can't sign in because this account is currently disabled."},
    {1400, "Invalid window handle."},
    {1401, "Invalid menu handle."},
    {1402, "Invalid cursor handle."},
    {1407, "Cannot find window class."},
    {1410, "Class already exists."},
    {1411, "Class does not exist."},
    {1413, "Invalid index."},
    {1450, "Insufficient system resources exist to complete the requested service."},
    {1455, "The paging file is too small for this operation to complete."},
    {1460, "This operation returned because the timeout period expired."},
    {1722, "The RPC server is unavailable."},
    {1723, "The RPC server is too busy to complete this operation."},
    {1726, "The remote procedure call failed."},
    {1784, "The supplied user buffer is not valid for the requested operation."},
    {1785, "The disk media is not recognized. It may not be formatted."},
    {2250, "This network connection does not exist."},
    {2401, "There are open files on the connection."},
    {2404, "The device is in use by an active process and cannot be disconnected."},
    {10004, "A blocking operation was interrupted by a call to WSACancelBlockingCall."},
    {10009, "The file handle supplied is not valid."},
    {10013, "An attempt was made to access a socket in a way forbidden by its access permissions."},
    {10014, "The system detected an invalid pointer address in attempting to use a pointer argument in a call."},
    {10022, "An invalid argument was supplied."},
    {10024, "Too many open sockets."},
    {10035, "A non-blocking socket operation could not be completed immediately."},
    {10036, "A blocking operation is currently executing."},
    {10037, "An operation was attempted on a non-blocking socket that already had an operation in progress."},
    {10038, "An operation was attempted on something that is not a socket."},
    {10039, "A required address was omitted from an operation on a socket."},
    {10040, "A message sent on a datagram socket was larger than the internal message buffer or some other network "
            "limit, or the buffer used to receive a datagram into was smaller than the datagram itself."},
    {10047, "An address incompatible with the requested protocol was used."},
    {10048, "Only one usage of each socket address (protocol/network address/port) is normally permitted."},
    {10049, "The requested address is not valid in its context."},
    {10050, "A socket operation encountered a dead network."},
    {10051, "A socket operation was attempted to an unreachable network."},
    {10052, "The connection has been broken due to keep-alive activity detecting a failure while the operation was "
            "in progress."},
    {10053, "An established connection was aborted by the software in your host machine."},
    {10054, "An existing connection was forcibly closed by the remote host."},
    {10055, "An operation on a socket could not be performed because the system lacked sufficient buffer space or "
            "because a queue was full."},
    {10056, "A connect request was made on an already connected socket."},
    {10057, "A request to send or receive data was disallowed because the socket is not connected and (when "
            "sending on a datagram socket using a sendto call) no address was supplied."},
    {10058, "A request to send or receive data was disallowed because the socket had already been shut down in that "
            "direction with a previous shutdown call."},
    {10060, "A connection attempt failed because the connected party did not properly respond after a period of "
            "time, or established connection failed because connected host has failed to respond."},
    {10061, "No connection could be made because the target machine actively refused it."},
    {10064, "A socket operation failed because the destination host was down."},
    {10065, "A socket operation was attempted to an unreachable host."},
    {10091, "WSAStartup cannot function at this time because the underlying system it uses to provide network "
            "services is currently unavailable."},
    {10093, "Either the application has not called WSAStartup, or WSAStartup failed."},
    {11001, "No such host is known."},
    {11002, "This is usually a temporary error during hostname resolution and means that the local server did not "
            "receive a response from an authoritative server."},
    {11003, "A non-recoverable error occurred during a database lookup."},
    {11004, "The requested name is valid, but no data of the requested type was found."},
};

// Sorted by code. HRESULTs outside facility Win32 that have their own text.
constexpr Message kHresult[] = {
    {0x8000FFFF, "Catastrophic failure"},
    {0x80004001, "Not implemented"},
    {0x80004002, "No such interface supported"},
    {0x80004003, "Invalid pointer"},
    {0x80004004, "Operation aborted"},
    {0x80004005, "Unspecified error"},
    {0x80004006, "Thread local storage failure"},
    {0x80004007, "Get shared memory allocator failure"},
    {0x80004008, "Get memory allocator failure"},
    {0x8000401A, "The server process could not be started because the configured identity is incorrect. Check the "
                 "username and password."},
    {0x80010001, "Call was rejected by callee."},
    {0x80010105, "The server threw an exception."},
    {0x80010106, "Cannot change thread mode after it is set."},
    {0x80020003, "Member not found."},
    {0x80020005, "Type mismatch."},
    {0x80020006, "Unknown name."},
    {0x80020009, "Exception occurred."},
    {0x8002000E, "Invalid number of parameters."},
    {0x80030002, "%1 could not be found."},
    {0x80030005, "Access Denied."},
    {0x80040005, "Not enough memory"},
    {0x80040154, "Class not registered"},
    {0x800401E4, "Invalid syntax"},
    {0x800401F0, "CoInitialize has not been called."},
    {0x800401F3, "Invalid class string"},
};

std::string_view Find(const Message* begin, const Message* end, std::uint32_t code) {
    const Message* it = std::lower_bound(begin, end, code, [](const Message& m, std::uint32_t c) { return m.code < c; });
    return it != end && it->code == code ? std::string_view(it->text) : std::string_view();
}

}  // namespace

std::string_view SystemMessage(std::int32_t code) {
    const auto u = static_cast<std::uint32_t>(code);
    if ((u & 0xFFFF0000u) == 0x80070000u) return Find(std::begin(kWin32), std::end(kWin32), u & 0xFFFF);
    if (code >= 0) return Find(std::begin(kWin32), std::end(kWin32), u);
    return Find(std::begin(kHresult), std::end(kHresult), u);
}

}  // namespace TeskUtility::message_tables
