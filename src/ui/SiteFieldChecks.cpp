#include "ui/SiteFieldChecks.h"

#include "net/TextCodec.h"
#include "store/ServerAddress.h"

namespace {

const wchar_t kServerCaption[] = L"FTP Server Required";
const wchar_t kServerFormats[] =
    L" The server can be given in domain format, such as ftp.example.com, or as a dotted IP address, "
    L"such as 192.168.1.20.";

PromptQuestion PortQuestion(const std::wstring& caption, const std::wstring& text, const std::wstring& accept,
                            const std::wstring& decline)
{
    PromptQuestion question;
    question.caption = caption;
    question.text = text;
    question.acceptButton = accept;
    question.declineButton = decline;
    return question;
}

}  // namespace

FieldError EmptyServerError()
{
    return {SiteField::Server, kServerCaption,
            std::wstring(L"Please enter the ftp server to transfer files to.") + kServerFormats};
}

FieldError InvalidServerError()
{
    return {SiteField::Server, kServerCaption, std::wstring(L"Please enter the ftp server.") + kServerFormats};
}

std::optional<FieldError> FirstSiteSheetError(const SiteSheetFields& fields)
{
    if (fields.advancedOpened && !TrimSpaces(fields.label).empty()) {
        if (fields.labelProblem == SiteLabelProblem::HasSlash)
            return FieldError{SiteField::Label, L"Bad Label", L"The site label cannot have slashes in it."};
        if (fields.labelProblem == SiteLabelProblem::Taken)
            return FieldError{SiteField::Label, L"Site Name Already Exists",
                              L"Please enter a site name that does not already exist."};
    }
    if (TrimSpaces(fields.server).empty())
        return EmptyServerError();
    ServerField split = SplitServerField(fields.server);
    std::wstring server = JoinServerPort(split.host, fields.port);
    if (!NormalizeServerAddress(server))
        return InvalidServerError();
    if (fields.advancedOpened && fields.remoteAlways && !TrimSpaces(fields.remotePath).empty() &&
        !split.remotePath.empty() && !EqualsIgnoreAsciiCase(split.remotePath, TrimSpaces(fields.remotePath)))
        return FieldError{SiteField::RemotePath, L"Different Directories",
                          L"The directory you specified at the server address is different from the remote "
                          L"directory path"};
    if (fields.advancedOpened && !fields.localPathExists)
        return FieldError{SiteField::LocalPath, L"Invalid Folder", L"Please select a valid folder."};
    return std::nullopt;
}

std::optional<FieldError> CheckQuickFields(const std::wstring& server, const std::wstring& port,
                                           const std::wstring& user, const std::wstring& password,
                                           bool savePassword, QuickFields& result)
{
    result.user = user.empty() ? L"anonymous" : user;
    result.host = server;
    if (!NormalizeServerAddress(result.host))
        return InvalidServerError();
    result.server = port.empty() ? result.host : result.host + L":" + port;
    if (savePassword && password.empty())
        return FieldError{SiteField::Password, L"FTP Password Required",
                          L"You have selected to remember your password but have not provided one. Please enter a "
                          L"valid password for the ftp account. If you don't know what it is, speak to the "
                          L"administrator of the FTP server."};
    return std::nullopt;
}

std::wstring PortCue(SecurityChoice security)
{
    return security == SecurityChoice::Implicit ? L"Default: 990" : L"Default: 21";
}

std::wstring DefaultPortText(SecurityChoice security)
{
    return security == SecurityChoice::Implicit ? L"990" : L"21";
}

std::optional<PromptQuestion> DefaultPortQuestion(SecurityChoice security, const std::wstring& port)
{
    std::wstring wanted = DefaultPortText(security);
    if (port.empty() || port == wanted)
        return std::nullopt;
    std::wstring text;
    if (security == SecurityChoice::Implicit)
        text = L"The default port for implicit SSL/TLS is 990. Do you want to use the default port?";
    else
        text = std::wstring(L"The default port for ") +
               (security == SecurityChoice::Plain ? L"a standard FTP connection" : L"explicit SSL/TLS") +
               L" is 21. Do you want to use the default port?";
    return PortQuestion(L"Confirm Port", text, L"Use default, " + wanted, L"Keep " + port);
}

std::optional<PromptQuestion> ImplicitPortQuestion(SecurityChoice security, const std::wstring& port)
{
    if (port != L"990" || security == SecurityChoice::Implicit)
        return std::nullopt;
    return PortQuestion(L"Confirm FTP Method", L"Port 990 is usually used for implicit SSL, do you want to use it?",
                        L"Use implicit SSL/TLS", L"Don't change");
}
