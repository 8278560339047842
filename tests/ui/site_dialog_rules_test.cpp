#include <gtest/gtest.h>

#include "ui/SiteFieldChecks.h"
#include "ui/SiteManagerRows.h"

namespace {

SiteSheetFields Valid()
{
    SiteSheetFields fields;
    fields.server = L"ftp.example.com";
    return fields;
}

TEST(SiteSheetChecks, RunInOrderAndNameTheirField)
{
    EXPECT_FALSE(FirstSiteSheetError(Valid()));

    SiteSheetFields slash = Valid();
    slash.advancedOpened = true;
    slash.label = L"a/b";
    slash.labelProblem = SiteLabelProblem::HasSlash;
    slash.server = L"";  // the label is checked before the server
    auto error = FirstSiteSheetError(slash);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, SiteField::Label);
    EXPECT_EQ(error->caption, L"Bad Label");
    EXPECT_EQ(error->text, L"The site label cannot have slashes in it.");

    SiteSheetFields taken = Valid();
    taken.advancedOpened = true;
    taken.label = L"Other";
    taken.labelProblem = SiteLabelProblem::Taken;
    error = FirstSiteSheetError(taken);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->caption, L"Site Name Already Exists");

    // A label problem of a page never opened, or of a blank label, is not a failure.
    SiteSheetFields unopened = taken;
    unopened.advancedOpened = false;
    EXPECT_FALSE(FirstSiteSheetError(unopened));
    SiteSheetFields blank = taken;
    blank.label = L"   ";
    EXPECT_FALSE(FirstSiteSheetError(blank));
}

TEST(SiteSheetChecks, ServerEmptyOrUnusable)
{
    SiteSheetFields empty = Valid();
    empty.server = L"   ";
    auto error = FirstSiteSheetError(empty);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, SiteField::Server);
    EXPECT_EQ(error->caption, L"FTP Server Required");
    EXPECT_TRUE(error->text.starts_with(L"Please enter the ftp server to transfer files to."));

    SiteSheetFields noDot = Valid();
    noDot.server = L"localhost";
    error = FirstSiteSheetError(noDot);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->text.starts_with(L"Please enter the ftp server. "));
    EXPECT_NE(error->text, EmptyServerError().text);

    // A scheme, a port and a path after the host are cleaned away first.
    SiteSheetFields pasted = Valid();
    pasted.server = L"ftp://Ftp.Example.com:2121/pub";
    pasted.port = L"2121";
    EXPECT_FALSE(FirstSiteSheetError(pasted));
}

TEST(SiteSheetChecks, DirectoriesAndLocalFolder)
{
    SiteSheetFields fields = Valid();
    fields.server = L"ftp.example.com/pub/files";
    fields.advancedOpened = true;
    fields.remoteAlways = true;
    fields.remotePath = L"/PUB/Files";
    EXPECT_FALSE(FirstSiteSheetError(fields)) << "the paths differ only in case";
    fields.remotePath = L"/var/www";
    auto error = FirstSiteSheetError(fields);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->caption, L"Different Directories");
    EXPECT_EQ(error->field, SiteField::RemotePath);
    fields.remoteAlways = false;  // the path is not used then
    EXPECT_FALSE(FirstSiteSheetError(fields));

    fields.localPathExists = false;
    error = FirstSiteSheetError(fields);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, SiteField::LocalPath);
    EXPECT_EQ(error->text, L"Please select a valid folder.");
    EXPECT_EQ(error->caption, L"Invalid Folder");
}

TEST(QuickConnectChecks, NormaliseJoinPortAndDemandAPassword)
{
    QuickFields result;
    EXPECT_FALSE(CheckQuickFields(L" FTP.Example.COM ", L"2121", L"", L"", false, result));
    EXPECT_EQ(result.host, L"ftp.example.com");
    EXPECT_EQ(result.server, L"ftp.example.com:2121");
    EXPECT_EQ(result.user, L"anonymous");

    EXPECT_FALSE(CheckQuickFields(L"10.0.0.5", L"", L"bob", L"", false, result));
    EXPECT_EQ(result.server, L"10.0.0.5");
    EXPECT_EQ(result.user, L"bob");

    auto error = CheckQuickFields(L"nodot", L"", L"bob", L"pw", true, result);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, SiteField::Server);
    EXPECT_EQ(error->caption, L"FTP Server Required");

    error = CheckQuickFields(L"ftp.example.com", L"", L"bob", L"", true, result);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, SiteField::Password);
    EXPECT_EQ(error->caption, L"FTP Password Required");
    EXPECT_FALSE(CheckQuickFields(L"ftp.example.com", L"", L"bob", L"pw", true, result));
}

TEST(PortQuestions, AskOnlyWhenThePortDiffersFromTheDefault)
{
    EXPECT_EQ(PortCue(SecurityChoice::Plain), L"Default: 21");
    EXPECT_EQ(PortCue(SecurityChoice::Explicit), L"Default: 21");
    EXPECT_EQ(PortCue(SecurityChoice::Implicit), L"Default: 990");

    EXPECT_FALSE(DefaultPortQuestion(SecurityChoice::Implicit, L""));
    EXPECT_FALSE(DefaultPortQuestion(SecurityChoice::Plain, L"21"));
    EXPECT_FALSE(DefaultPortQuestion(SecurityChoice::Implicit, L"990"));

    auto plain = DefaultPortQuestion(SecurityChoice::Plain, L"2121");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->caption, L"Confirm Port");
    EXPECT_EQ(plain->text,
              L"The default port for a standard FTP connection is 21. Do you want to use the default port?");
    EXPECT_EQ(plain->acceptButton, L"Use default, 21");
    EXPECT_EQ(plain->declineButton, L"Keep 2121");
    auto explicitTls = DefaultPortQuestion(SecurityChoice::Explicit, L"990");
    ASSERT_TRUE(explicitTls);
    EXPECT_EQ(explicitTls->text, L"The default port for explicit SSL/TLS is 21. Do you want to use the default port?");
    auto implicitTls = DefaultPortQuestion(SecurityChoice::Implicit, L"21");
    ASSERT_TRUE(implicitTls);
    EXPECT_EQ(implicitTls->text,
              L"The default port for implicit SSL/TLS is 990. Do you want to use the default port?");
    EXPECT_EQ(implicitTls->acceptButton, L"Use default, 990");
    EXPECT_EQ(implicitTls->declineButton, L"Keep 21");

    EXPECT_FALSE(ImplicitPortQuestion(SecurityChoice::Implicit, L"990"));
    EXPECT_FALSE(ImplicitPortQuestion(SecurityChoice::Plain, L"9900"));
    auto method = ImplicitPortQuestion(SecurityChoice::Explicit, L"990");
    ASSERT_TRUE(method);
    EXPECT_EQ(method->caption, L"Confirm FTP Method");
    EXPECT_EQ(method->acceptButton, L"Use implicit SSL/TLS");
    EXPECT_EQ(method->declineButton, L"Don't change");
}

TEST(SiteManagerRows, OneRowPerSlotFirstOfALabelCarriesTheImage)
{
    std::vector<SiteSlotFacts> slots = {
        {L"Alpha", L"a.example.com", L"ann", L"/pub", false},
        {L"Alpha", L"b.example.com:2121", L"bob", L"/", true},
        {L"Beta", L"c.example.com", L"corp\\carl", L"", false},
    };
    CurrentSiteFacts current{L"beta", L"C.EXAMPLE.COM", L"corp\\carl", true};
    SiteManagerList list = BuildSiteRows(slots, current);
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0].label, L"Alpha");
    EXPECT_EQ(list.rows[0].image, SiteRowImage::Site);
    EXPECT_EQ(list.rows[0].directory, L"/pub");
    EXPECT_EQ(list.rows[1].label, L"");
    EXPECT_EQ(list.rows[1].image, SiteRowImage::None);
    EXPECT_EQ(list.rows[1].labelRow, 0u);
    EXPECT_EQ(list.rows[1].siteLabel, L"Alpha");
    EXPECT_EQ(list.rows[1].directory, L"") << "the recent folder is used";
    EXPECT_EQ(list.rows[1].status, L"Disconnected");
    EXPECT_EQ(list.rows[2].image, SiteRowImage::Connected);
    EXPECT_EQ(list.rows[2].directory, L"/");
    EXPECT_EQ(list.rows[2].status, L"Connected");
    EXPECT_EQ(list.connectedRow, std::optional<size_t>(2));

    current.connected = false;
    list = BuildSiteRows(slots, current);
    EXPECT_FALSE(list.connectedRow);
    EXPECT_EQ(list.rows[2].status, L"Disconnected");
    EXPECT_EQ(list.rows[2].image, SiteRowImage::Site);
}

TEST(SiteManagerRows, ButtonsFollowTheSelection)
{
    auto none = DecideSiteManagerButtons(std::nullopt, 1);
    EXPECT_FALSE(none.properties || none.connect || none.remove || none.disconnect || none.reconnectText);
    auto other = DecideSiteManagerButtons(0, 1);
    EXPECT_TRUE(other.properties && other.connect && other.remove);
    EXPECT_FALSE(other.disconnect || other.reconnectText);
    auto connected = DecideSiteManagerButtons(1, 1);
    EXPECT_TRUE(connected.properties && connected.connect && connected.disconnect && connected.reconnectText);
    EXPECT_FALSE(connected.remove);
    auto noConnection = DecideSiteManagerButtons(1, std::nullopt);
    EXPECT_TRUE(noConnection.remove);
    EXPECT_FALSE(noConnection.disconnect);

    EXPECT_EQ(RowAfterRefill(2, 5), std::optional<size_t>(2));
    EXPECT_EQ(RowAfterRefill(4, 3), std::optional<size_t>(2));
    EXPECT_EQ(RowAfterRefill(std::nullopt, 3), std::optional<size_t>(0));
    EXPECT_FALSE(RowAfterRefill(0, 0));
}

}  // namespace
