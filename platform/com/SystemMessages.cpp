// The system message table: the texts Windows gives for the HRESULTs and
// Win32 error codes this platform raises, with their "\r\n" endings.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "com/ComError.h"

namespace {

struct Message {
    std::uint32_t code;
    const char* text;
};

// HRESULTs of the COM, OLE and automation facilities.
constexpr Message comMessages[] = {
    {0x8000000Au, "The data necessary to complete this operation is not yet available.\r\n"},
    {0x8000000Bu, "The operation attempted to access data outside the valid range\r\n"},
    {0x80004001u, "Not implemented\r\n"},
    {0x80004002u, "No such interface supported\r\n"},
    {0x80004003u, "Invalid pointer\r\n"},
    {0x80004004u, "Operation aborted\r\n"},
    {0x80004005u, "Unspecified error\r\n"},
    {0x8000FFFFu, "Catastrophic failure\r\n"},
    {0x80010001u, "Call was rejected by callee.\r\n"},
    {0x80010105u, "The server threw an exception.\r\n"},
    {0x80010108u, "The object invoked has disconnected from its clients.\r\n"},
    {0x80020001u, "Unknown interface.\r\n"},
    {0x80020003u, "Member not found.\r\n"},
    {0x80020004u, "Parameter not found.\r\n"},
    {0x80020005u, "Type mismatch.\r\n"},
    {0x80020006u, "Unknown name.\r\n"},
    {0x80020007u, "No named arguments.\r\n"},
    {0x80020008u, "Bad variable type.\r\n"},
    {0x80020009u, "Exception occurred.\r\n"},
    {0x8002000Au, "Out of present range.\r\n"},
    {0x8002000Bu, "Invalid index.\r\n"},
    {0x8002000Cu, "Unknown language.\r\n"},
    {0x8002000Du, "Memory is locked.\r\n"},
    {0x8002000Eu, "Invalid number of parameters.\r\n"},
    {0x8002000Fu, "Parameter not optional.\r\n"},
    {0x80020010u, "Invalid callee.\r\n"},
    {0x80020011u, "Does not support a collection.\r\n"},
    {0x80020012u, "Division by zero.\r\n"},
    {0x8002801Du, "Library not registered.\r\n"},
    {0x8002802Bu, "Element not found.\r\n"},
    {0x80029C4Au, "Error loading type library/DLL.\r\n"},
    {0x80040110u, "Class does not support aggregation (or class object is remote)\r\n"},
    {0x80040111u, "ClassFactory cannot supply requested class\r\n"},
    {0x80040150u, "Could not read key from registry\r\n"},
    {0x80040151u, "Could not write key to registry\r\n"},
    {0x80040154u, "Class not registered\r\n"},
    {0x800401E3u, "Operation unavailable\r\n"},
    {0x800401E4u, "Invalid syntax\r\n"},
    {0x800401F0u, "CoInitialize has not been called.\r\n"},
    {0x800401F3u, "Invalid class string\r\n"},
    {0x800401F8u, "DLL for class not found\r\n"},
    {0x800401F9u, "Error in the DLL\r\n"},
};

// Win32 error codes (also reached as HRESULT_FROM_WIN32, 0x8007xxxx).
constexpr Message win32Messages[] = {
    {0, "The operation completed successfully.\r\n"},
    {1, "Incorrect function.\r\n"},
    {2, "The system cannot find the file specified.\r\n"},
    {3, "The system cannot find the path specified.\r\n"},
    {4, "The system cannot open the file.\r\n"},
    {5, "Access is denied.\r\n"},
    {6, "The handle is invalid.\r\n"},
    {8, "Not enough memory resources are available to process this command.\r\n"},
    {11, "An attempt was made to load a program with an incorrect format.\r\n"},
    {13, "The data is invalid.\r\n"},
    {14, "Not enough memory resources are available to complete this operation.\r\n"},
    {15, "The system cannot find the drive specified.\r\n"},
    {18, "There are no more files.\r\n"},
    {19, "The media is write protected.\r\n"},
    {21, "The device is not ready.\r\n"},
    {29, "The system cannot write to the specified device.\r\n"},
    {30, "The system cannot read from the specified device.\r\n"},
    {31, "A device attached to the system is not functioning.\r\n"},
    {32, "The process cannot access the file because it is being used by another process.\r\n"},
    {33, "The process cannot access the file because another process has locked a portion of the file.\r\n"},
    {38, "Reached the end of the file.\r\n"},
    {39, "The disk is full.\r\n"},
    {50, "The request is not supported.\r\n"},
    {80, "The file exists.\r\n"},
    {87, "The parameter is incorrect.\r\n"},
    {110, "The system cannot open the device or file specified.\r\n"},
    {112, "There is not enough space on the disk.\r\n"},
    {122, "The data area passed to a system call is too small.\r\n"},
    {123, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {126, "The specified module could not be found.\r\n"},
    {127, "The specified procedure could not be found.\r\n"},
    {145, "The directory is not empty.\r\n"},
    {161, "The specified path is invalid.\r\n"},
    {183, "Cannot create a file when that file already exists.\r\n"},
    {206, "The filename or extension is too long.\r\n"},
    {223, "The file size exceeds the limit allowed and cannot be saved.\r\n"},
    {267, "The directory name is invalid.\r\n"},
    {995, "The I/O operation has been aborted because of either a thread exit or an application request.\r\n"},
    {1460, "This operation returned because the timeout period expired.\r\n"},
    {1722, "The RPC server is unavailable.\r\n"},
    {1726, "The remote procedure call failed.\r\n"},
};

template <std::size_t N>
const char* lookUp(const Message (&table)[N], std::uint32_t code)
{
    auto found = std::find_if(std::begin(table), std::end(table), [code](const Message& m) { return m.code == code; });
    return found == std::end(table) ? nullptr : found->text;
}

}  // namespace

namespace com {

std::string systemMessage(HRESULT hr)
{
    auto code = static_cast<std::uint32_t>(hr);
    const char* text = nullptr;
    if (code <= 0xFFFFu)
        text = lookUp(win32Messages, code);
    else if ((code & 0xFFFF0000u) == 0x80070000u)
        text = lookUp(win32Messages, code & 0xFFFFu);
    else
        text = lookUp(comMessages, code);
    return text ? text : "";
}

}  // namespace com
