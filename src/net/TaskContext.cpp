#include "net/TaskContext.h"

#include <windows.h>

#include <algorithm>

NetResult NullTaskContext::Sleep(uint32_t milliseconds)
{
    ::Sleep(milliseconds);
    return NetResult::Ok;
}

NetResult NullTaskContext::WaitHandle(WaitableHandle handle, uint32_t milliseconds)
{
    return WaitHandles({handle}, milliseconds);
}

NetResult NullTaskContext::WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds)
{
    if (handles.empty()) {
        Sleep(milliseconds);
        return NetResult::Failed;  // nothing can be signalled: a time-out
    }
    DWORD count = static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS - 1));
    DWORD status = WaitForMultipleObjects(count, handles.data(), FALSE, milliseconds);
    return status < WAIT_OBJECT_0 + count ? NetResult::Ok : NetResult::Failed;
}

NullTaskContext& NullContext()
{
    static NullTaskContext context;
    return context;
}
