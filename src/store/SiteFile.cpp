#include "store/SiteFile.h"

#include "net/TextCodec.h"

namespace {

// The lines of a record in the order they are written. Each names either a
// text or a boolean member.
struct SiteFileField {
    std::string_view key;
    std::wstring SiteFileRecord::*text;
    bool SiteFileRecord::*flag;
};

constexpr SiteFileField kFields[] = {
    {"Label", &SiteFileRecord::label, nullptr},
    {"Server", &SiteFileRecord::server, nullptr},
    {"Username", &SiteFileRecord::userName, nullptr},
    {"Password", &SiteFileRecord::password, nullptr},
    {"RemP", nullptr, &SiteFileRecord::rememberPassword},
    {"Directory", &SiteFileRecord::directory, nullptr},
    {"LocalDirectory", &SiteFileRecord::localDirectory, nullptr},
    {"UseExplicitSSL", nullptr, &SiteFileRecord::explicitTls},
    {"UseImplicitSSL", nullptr, &SiteFileRecord::implicitTls},
    {"UseRecentLocal", nullptr, &SiteFileRecord::useRecentLocal},
    {"UseRecentRemote", nullptr, &SiteFileRecord::useRecentRemote},
};

const SiteFileField* FindField(std::string_view key)
{
    for (const SiteFileField& field : kFields)
        if (field.key == key)
            return &field;
    return nullptr;
}

// Label and server become registry key names: a backslash would nest keys,
// and a label may not hold a slash either.
bool UsableAsKeyNames(const SiteFileRecord& record)
{
    return record.label.find_first_of(L"\\/") == std::wstring::npos &&
           record.server.find(L'\\') == std::wstring::npos;
}

}  // namespace

std::wstring FormatSiteRecord(const SiteFileRecord& record)
{
    std::wstring text;
    for (const SiteFileField& field : kFields) {
        text += Utf8ToWide(field.key) + L":";
        if (field.text)
            text += record.*field.text;
        else
            text += record.*field.flag ? L"1" : L"0";
        text += L"\r\n";
    }
    // Older files have no such line, and a site that asks writes none either.
    if (record.unprotectedLogin != UnprotectedLogin::Ask)
        text += std::wstring(L"AllowUnprotected:") + (record.unprotectedLogin == UnprotectedLogin::Allow ? L"1" : L"0") +
                L"\r\n";
    return text;
}

void SiteFileParser::AddLine(std::string_view line)
{
    size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return;
    std::string_view key = line.substr(0, colon);
    // The registry keeps text only up to a NUL, so a value ends there too.
    std::string_view rawValue = line.substr(colon + 1);
    std::wstring value = Utf8ToWide(rawValue.substr(0, rawValue.find('\0')));

    if (key == "Label") {
        FinishRecord();
        contents_.hasLabelLine = true;
        collecting_.emplace();
        collecting_->label = std::move(value);
        return;
    }
    if (!collecting_)
        return;
    if (key == "Domain") {
        domain_ = std::move(value);
    } else if (key == "AllowUnprotected") {
        collecting_->unprotectedLogin = UnprotectedLoginFromText(value);
    } else if (const SiteFileField* field = FindField(key)) {
        if (field->text)
            (*collecting_).*field->text = std::move(value);
        else
            (*collecting_).*field->flag = value == L"1";
    }
}

SiteFileContents SiteFileParser::Finish()
{
    FinishRecord();
    return std::move(contents_);
}

void SiteFileParser::FinishRecord()
{
    if (!collecting_)
        return;
    SiteFileRecord record = std::move(*collecting_);
    collecting_.reset();
    std::wstring domain = std::move(domain_);
    domain_.clear();
    if (record.label.empty() || record.server.empty() || record.userName.empty() || !UsableAsKeyNames(record)) {
        ++contents_.unreadableRecords;
        return;
    }
    if (!domain.empty())
        record.userName = CutText(domain + L"\\" + record.userName);
    contents_.records.push_back(std::move(record));
}
