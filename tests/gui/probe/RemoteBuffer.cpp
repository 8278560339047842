#include "RemoteBuffer.h"

#include <vector>

RemoteBuffer::RemoteBuffer(HWND owner, size_t size)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process_)
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer()
{
    if (address_)
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_)
        CloseHandle(process_);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size)
{
    SIZE_T done = 0;
    return address_ && WriteProcessMemory(process_, At(offset), data, size, &done) && done == size;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T done = 0;
    return address_ && ReadProcessMemory(process_, At(offset), data, size, &done) && done == size;
}

std::wstring RemoteBuffer::ReadText(const void* address, size_t maxChars) const
{
    std::vector<wchar_t> text(maxChars + 1, L'\0');
    SIZE_T done = 0;
    if (!address || !ReadProcessMemory(process_, address, text.data(), maxChars * sizeof(wchar_t), &done))
        return {};
    text[done / sizeof(wchar_t)] = L'\0';
    return text.data();
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok)
{
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    if (ok)
        *ok = answered;
    return answered ? static_cast<LRESULT>(result) : 0;
}
