#include "store/SiteImportExport.h"

#include <algorithm>

#include "store/ProtectedValues.h"
#include "store/SiteFile.h"
#include "store/SiteStore.h"

namespace {

// A slot as it is exported: the values the site is loaded with, so that an
// absent value comes back with the same meaning.
SiteFileRecord ExportRecord(const SiteSlot& site)
{
    SiteRecord loaded;
    ReadSlot(site.slot, loaded);
    SiteFileRecord record;
    record.label = site.label;
    record.server = loaded.server;
    record.userName = SiteUserDisplay(site.slot);  // keeps an older slot's Domain
    record.rememberPassword = loaded.rememberPassword;
    if (loaded.rememberPassword)
        record.password = loaded.password;
    record.directory = loaded.remoteDirectory;
    record.localDirectory = loaded.localDirectory;
    record.explicitTls = SecurityOf(loaded.secure, loaded.implicit) == SecurityChoice::Explicit;
    record.implicitTls = loaded.implicit;
    record.useRecentLocal = loaded.useRecentLocal;
    record.useRecentRemote = loaded.useRecentRemote;
    record.unprotectedLogin = loaded.unprotectedLogin;
    return record;
}

void WriteImportedSlot(const RegKeyRef& slot, const SiteFileRecord& record)
{
    WriteString(slot, L"Server", record.server);
    WriteString(slot, L"UserName", record.userName);
    WriteProtected(slot, L"Password", record.password);
    WriteBool(slot, L"UseRecentRemote", record.useRecentRemote);
    WriteString(slot, L"Directory", record.directory);
    WriteBool(slot, L"UseRecentLocal", record.useRecentLocal);
    WriteString(slot, L"LocalDirectory", record.localDirectory);
    WriteBool(slot, L"UseExplicitSSL", record.explicitTls);
    WriteBool(slot, L"UseImplicitSSL", record.implicitTls);
    WriteBool(slot, L"RemP", record.rememberPassword);
    WriteUnprotectedLogin(slot, record.unprotectedLogin);
}

enum class StoreOutcome { Stored, Kept, Unusable };

StoreOutcome StoreImportedSite(const SiteFileRecord& record, UserPrompt& prompt)
{
    RegKeyRef serverKey = SiteServerKey(record.label, record.server);
    if (serverKey.path.empty())
        return StoreOutcome::Unusable;
    RegKeyRef slot;
    std::wstring existing = FindUserSlot(record.label, record.server, record.userName);
    if (!existing.empty()) {
        if (!prompt.Ask(OverwriteQuestion(L"Record", record.label)).accepted)
            return StoreOutcome::Kept;
        slot = ChildKey(serverKey, existing);
        DeleteKeyTree(slot);
    } else {
        slot = SlotForUser(serverKey, record.userName);
    }
    WriteImportedSlot(slot, record);
    return StoreOutcome::Stored;
}

}  // namespace

std::wstring SiteExportText(const std::vector<std::wstring>& labels)
{
    std::wstring text;
    for (const SiteSlot& site : EnumerateSites())
        if (std::find(labels.begin(), labels.end(), site.label) != labels.end())
            text += FormatSiteRecord(ExportRecord(site));
    return text;
}

ExportResult ExportSites(const std::wstring& path, const std::vector<std::wstring>& labels, UserPrompt& prompt)
{
    return WriteExportFile(path, SiteExportText(labels), prompt);
}

SiteImportResult ImportSites(const std::wstring& path, UserPrompt& prompt)
{
    SiteFileParser parser;
    SiteImportResult result;
    if (!ReadImportFile(path, [&](std::string_view line) { parser.AddLine(line); }))
        return result;
    SiteFileContents contents = parser.Finish();
    result.sitesFound = contents.hasLabelLine;
    result.allRecordsRead = contents.unreadableRecords == 0;
    for (const SiteFileRecord& record : contents.records) {
        switch (StoreImportedSite(record, prompt)) {
        case StoreOutcome::Stored:
            ++result.stored;
            break;
        case StoreOutcome::Kept:
            ++result.kept;
            break;
        case StoreOutcome::Unusable:
            result.allRecordsRead = false;
            break;
        }
    }
    return result;
}
