#include "ops/DirectConnection.h"

#include <utility>

#include "ftp/RemoteCommands.h"

DirectConnection::DirectConnection(LoginRequest request, ProxySettings proxy, std::wstring startFolder)
    : request_(std::move(request)), proxy_(std::move(proxy)), startFolder_(std::move(startFolder))
{
}

NetResult DirectConnection::Open(TaskContext& context, LoginFailure* failure)
{
    NetResult result = LogInAndEnter(context, failure);
    if (result == NetResult::Ok && startFolder_.empty())
        result = GetRemoteFolder(context, session_, startFolder_);
    return result;
}

NetResult DirectConnection::Reconnect(TaskContext& context)
{
    return LogInAndEnter(context, nullptr);
}

NetResult DirectConnection::LogInAndEnter(TaskContext& context, LoginFailure* failure)
{
    session_.Close();
    LoginFailure ignored;
    NetResult result = Login(context, session_, request_, proxy_, failure ? *failure : ignored);
    if (result != NetResult::Ok || startFolder_.empty())
        return result;
    return ChangeRemoteFolder(context, session_, startFolder_);
}
