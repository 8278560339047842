#include "ops/ConnectionPrompts.h"

PromptQuestion ProxyFailureQuestion()
{
    PromptQuestion question;
    question.caption = L"Proxy Failure";
    question.text = L"Please check your proxy settings in the options or turn them off to connect directly.";
    question.acceptButton = L"OK";
    question.declineButton = L"";
    question.icon = PromptIcon::Error;
    return question;
}

PromptQuestion DropQuestion(DropWording wording, const std::wstring& label, const std::wstring& user)
{
    PromptQuestion question;
    if (wording == DropWording::Reconnect) {
        question.caption = L"Reconnect Confirm";
        question.text = L"You are currently connected to " + label + L", do you wish to reconnect?";
        question.acceptButton = L"Reconnect";
    } else {
        question.caption = L"Disconnect Confirm";
        question.text = L"You are connected to " + label + L" as " + user +
                        L".\nAre you sure you want to disconnect?";
        question.acceptButton = L"Disconnect";
    }
    question.declineButton = L"Cancel";
    return question;
}

PromptQuestion UnprotectedLoginQuestion()
{
    PromptQuestion question;
    question.caption = L"Unprotected Login";
    question.text =
        L"The server does not support TLS. Log in without encryption? Your user name and password will be sent "
        L"unprotected.";
    question.acceptButton = L"Connect Unprotected";
    question.declineButton = L"Cancel";
    question.checkBox = L"Remember for this site";
    question.icon = PromptIcon::Warning;
    question.declineIsDefault = true;  // the password would travel in clear text
    return question;
}

std::wstring NotConnectedStatusText()
{
    return L"Not connected to FTP site";
}

std::wstring ConnectedStatusText(const std::wstring& label, const std::wstring& server, const std::wstring& user)
{
    return L"Connected to " + label + L" (" + server + L") as " + user;
}

PromptQuestion CertificateQuestion(const CertificateFacts& facts, bool changed)
{
    PromptQuestion question;
    question.caption = L"Server Certificate";
    if (changed)
        question.text = L"The server's certificate has changed since you trusted it for this server.\n\n";
    question.text += L"The server's certificate could not be verified.\n";
    for (const std::wstring& line : CertificateFactLines(facts))
        question.text += L"\n" + line;
    question.text += L"\n\nOnly trust it when you have checked the fingerprint with the server's owner.";
    question.acceptButton = L"Trust this certificate for this server";
    question.declineButton = L"Cancel";
    question.icon = PromptIcon::Warning;
    question.declineIsDefault = true;  // a stranger's certificate would read the password
    return question;
}
