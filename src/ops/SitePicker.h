#pragma once

// Where the user picks a site when none is current.
class SitePicker {
public:
    virtual ~SitePicker() = default;
    // The site menu as a pop-up; its entries connect (ConnectSiteFromMenu).
    virtual void ShowSiteMenu() = 0;
    // The new-site path of the site dialogs, which connects to the new site.
    virtual void NewSite() = 0;
};
