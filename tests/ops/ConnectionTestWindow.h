#pragma once
// The main window's parts as the connection tests play them: panes in
// memory, timers ticked by hand, prompts answered from scripts, and a
// progress "dialog" that runs the step directly and records it.
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ops/ConnectionWindow.h"
#include "store/SiteStore.h"
#include "support/ScriptedPrompt.h"
#include "support/TestContexts.h"

class RecordingRunner : public ProgressRunner {
public:
    NetResult Run(const std::wstring& title, const std::function<NetResult(TaskContext&)>& step) override
    {
        titles.push_back(title);
        return step(context);
    }
    std::vector<std::wstring> titles;
    RecordingContext context;
};

class ScriptedLoginPrompt : public LoginPrompt {
public:
    std::optional<std::wstring> AskPassword(const std::wstring& server, const std::wstring& user) override
    {
        asked.push_back({server, user});
        if (passwords.empty())
            return std::nullopt;
        std::optional<std::wstring> answer = passwords.front();
        passwords.pop_front();
        return answer;
    }
    std::deque<std::optional<std::wstring>> passwords;  // nothing: Cancel; beyond the script: Cancel
    std::vector<std::pair<std::wstring, std::wstring>> asked;
};

class MemoryRemotePane : public RemotePane {
public:
    void ShowRows(std::vector<RemoteRow> shown) override { rows = std::move(shown); }
    void Clear() override
    {
        rows.clear();
        pathText.clear();
        ++clears;
    }
    std::wstring PathText() override { return pathText; }
    void RefreshPathBox() override { ++pathBoxRefreshes; }
    std::wstring FilterText() override { return filter; }
    void HistoryChanged(size_t position) override { historyPositions.push_back(position); }

    const RemoteRow* Row(const std::wstring& name) const
    {
        for (const RemoteRow& row : rows)
            if (row.name == name)
                return &row;
        return nullptr;
    }

    std::vector<RemoteRow> rows;
    std::wstring pathText;
    std::wstring filter;
    int clears = 0;
    int pathBoxRefreshes = 0;
    std::vector<size_t> historyPositions;
};

class MemoryLocalPane : public LocalPane {
public:
    std::wstring Folder() override { return folder; }
    void NavigateTo(const std::wstring& to) override { folder = to; }
    std::wstring folder = L"C:\\";
};

class ManualScheduler : public Scheduler {
public:
    void SetTimer(TimerId timer, uint32_t milliseconds) override { armed[timer] = milliseconds; }
    void StopTimer(TimerId timer) override { armed.erase(timer); }
    // The interval the timer runs at, 0 when it is stopped.
    uint32_t Interval(TimerId timer) const
    {
        auto found = armed.find(timer);
        return found == armed.end() ? 0 : found->second;
    }
    std::map<TimerId, uint32_t> armed;
};

class RecordingNotifier : public ConnectionNotifier {
public:
    void ShowBalloon(const std::wstring& title, const std::wstring& text) override { balloons.push_back({title, text}); }
    void SetStatusText(const std::wstring& text) override { statusText = text; }
    void SetStatusIcon(StatusIcon shown) override { icons.push_back(shown); }
    void PostCancel() override { ++cancels; }
    void SiteMenuChanged() override { ++menuRebuilds; }

    std::vector<std::pair<std::wstring, std::wstring>> balloons;
    std::wstring statusText;
    std::vector<StatusIcon> icons;
    int cancels = 0;
    int menuRebuilds = 0;
};

class CountingSitePicker : public SitePicker {
public:
    void ShowSiteMenu() override { ++menus; }
    void NewSite() override { ++newSites; }
    int menus = 0;
    int newSites = 0;
};

struct TestWindow {
    RecordingRunner progress;
    ScriptedPrompt prompt;
    ScriptedLoginPrompt login;
    MemoryRemotePane remote;
    MemoryLocalPane local;
    ManualScheduler scheduler;
    RecordingNotifier notifier;
    CountingSitePicker sites;
    CertificateQuestionPrompt certificates{prompt};

    ConnectionWindow Parts()
    {
        return {progress, prompt, login, remote, local, scheduler, notifier, sites, certificates};
    }
};

// A saved site, made the current one.
inline RegKeyRef SaveCurrentSite(const std::wstring& label, const std::wstring& server, const std::wstring& user,
                                 const std::wstring& password, bool explicitTls = false)
{
    SiteRecord site;
    site.label = label;
    site.server = server;
    site.userName = user;
    site.password = password;
    site.rememberPassword = true;
    site.secure = explicitTls;
    site.useRecentRemote = false;
    WriteSite(site);
    WriteCurrentSiteName({label, server, user});
    return CurrentSiteSlot();
}
