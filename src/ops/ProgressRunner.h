#pragma once
#include <functional>
#include <string>

#include "net/TaskContext.h"

// Runs a long step inside the modal progress dialog of the given title; the
// dialog is the step's TaskContext.
class ProgressRunner {
public:
    virtual ~ProgressRunner() = default;
    virtual NetResult Run(const std::wstring& title, const std::function<NetResult(TaskContext&)>& step) = 0;
};
