#pragma once
// Memory inside the process that owns a window. Common-control messages carry
// pointers that the system does not copy between processes (LVM_GETITEMTEXTW,
// SB_GETTEXTW, ...): their structures and text buffers must live in the
// control's own process, written and read back from here.
#include <windows.h>

#include <string>

class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The address of a byte of the buffer as the owner process sees it.
    void* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;
    // Text of at most maxChars UTF-16 units at a remote address, up to its terminator.
    std::wstring ReadText(const void* address, size_t maxChars) const;

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// SendMessage with a time-out, so that a hung or busy target cannot hang the
// probe; ok (when given) tells whether the target answered.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok = nullptr);
