#pragma once
#include <string>

// The status bar's icon part.
enum class StatusIcon { NotConnected, ConnectedFirst, ConnectedSecond };

// What the main window shows of the connection.
class ConnectionNotifier {
public:
    virtual ~ConnectionNotifier() = default;
    // A balloon tip on the main window.
    virtual void ShowBalloon(const std::wstring& title, const std::wstring& text) = 0;
    // Status bar part 0.
    virtual void SetStatusText(const std::wstring& text) = 0;
    // Status bar part 1.
    virtual void SetStatusIcon(StatusIcon icon) = 0;
    // A connection attempt failed: the window's Cancel command (identifier 2)
    // is posted, so that a pending dialog step is abandoned.
    virtual void PostCancel() = 0;
    // The site menu must be rebuilt (which site is current, connected or not).
    virtual void SiteMenuChanged() = 0;
};
