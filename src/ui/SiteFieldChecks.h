#pragma once
#include <optional>
#include <string>

#include "store/SiteRecord.h"
#include "store/SiteSave.h"
#include "store/UserPrompt.h"

// The checks of the site dialogs' fields and the questions their port and
// security fields ask. Each failure names the field the balloon goes on.

enum class SiteField { Server, Port, User, Password, Label, RemotePath, LocalPath };

struct FieldError {
    SiteField field;
    std::wstring caption;
    std::wstring text;
};

// The two server messages (caption "FTP Server Required").
FieldError EmptyServerError();
FieldError InvalidServerError();

// What the OK of the site sheet checks, as typed.
struct SiteSheetFields {
    std::wstring server;
    std::wstring port;
    // Only when the Advanced page was opened.
    bool advancedOpened = false;
    std::wstring label;  // as typed
    SiteLabelProblem labelProblem = SiteLabelProblem::None;  // of the trimmed label
    bool remoteAlways = false;  // "Use this directory always" of the remote group
    std::wstring remotePath;
    bool localPathExists = true;
};
// The first failing check, in the order the sheet runs them; nothing when the
// site can be saved.
std::optional<FieldError> FirstSiteSheetError(const SiteSheetFields& fields);

// What Quick Connect hands on when its fields pass.
struct QuickFields {
    std::wstring server;  // normalised, with ":port" when a port was given
    std::wstring host;    // normalised, without the port
    std::wstring user;    // "anonymous" when none was typed
};
// Checks the Quick Connect fields; the error when one fails.
std::optional<FieldError> CheckQuickFields(const std::wstring& server, const std::wstring& port,
                                           const std::wstring& user, const std::wstring& password,
                                           bool savePassword, QuickFields& result);

// The port cue of the security choice.
std::wstring PortCue(SecurityChoice security);
// The question after the security choice changed with port in the field:
// nothing when the port is empty or already the choice's default. Accepting
// sets the port to DefaultPortText(security).
std::optional<PromptQuestion> DefaultPortQuestion(SecurityChoice security, const std::wstring& port);
std::wstring DefaultPortText(SecurityChoice security);
// The question when the port field is left holding "990" with another choice
// than implicit TLS; accepting selects implicit TLS.
std::optional<PromptQuestion> ImplicitPortQuestion(SecurityChoice security, const std::wstring& port);
