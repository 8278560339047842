#include "net/ProgressSliceContext.h"

ProgressSliceContext::ProgressSliceContext(TaskContext& parent, double done, double total)
    : parent_(parent), done_(done), total_(total)
{
}

bool ProgressSliceContext::IsCancelled()
{
    return parent_.IsCancelled();
}

NetResult ProgressSliceContext::Sleep(uint32_t milliseconds)
{
    return parent_.Sleep(milliseconds);
}

NetResult ProgressSliceContext::WaitHandle(WaitableHandle handle, uint32_t milliseconds)
{
    return parent_.WaitHandle(handle, milliseconds);
}

NetResult ProgressSliceContext::WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds)
{
    return parent_.WaitHandles(handles, milliseconds);
}

void ProgressSliceContext::ShowError(const std::wstring& text)
{
    parent_.ShowError(text);
}

void ProgressSliceContext::SetStatus(const std::wstring& text, int line)
{
    parent_.SetStatus(text, line);
}

void ProgressSliceContext::SetProgress(double fraction)
{
    if (total_ > 0)
        parent_.SetProgress((done_ + fraction) / total_);
}

void ProgressSliceContext::BeginBusy()
{
    parent_.BeginBusy();
}

void ProgressSliceContext::EndBusy()
{
    parent_.EndBusy();
}
