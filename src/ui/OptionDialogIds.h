// Identifiers of the options sheet, the import and export dialogs and the
// certificate dialog, shared by OptionDialogs.rc and the dialog code: plain
// #defines, since windres reads this file too.
#pragma once

// Dialog templates.
#define IDD_OPTIONS_GENERAL 600
#define IDD_OPTIONS_PROXY 601
#define IDD_SITE_EXPORT 602
#define IDD_CERTIFICATE 603

// "General" page.
#define IDC_OPTION_RETRY 610
#define IDC_OPTION_NO_SPACES 611
#define IDC_OPTION_LOWER_CASE 612

// "FTP Proxy" page: the five types in FtpProxyType order, the fields and their labels.
#define IDC_PROXY_TYPE_FIRST 620
#define IDC_PROXY_TYPE_LAST 624
#define IDC_PROXY_HOST_LABEL 630
#define IDC_PROXY_HOST 631
#define IDC_PROXY_USER_LABEL 632
#define IDC_PROXY_USER 633
#define IDC_PROXY_PASSWORD_LABEL 634
#define IDC_PROXY_PASSWORD 635

// "Site Export".
#define IDC_EXPORT_LIST 650
#define IDC_EXPORT_SELECT_ALL 651

// Server certificate.
#define IDC_CERT_ICON 700
#define IDC_CERT_CHANGED 701
#define IDC_CERT_REASON 702
#define IDC_CERT_SUBJECT 703
#define IDC_CERT_ISSUER 704
#define IDC_CERT_VALID_FROM 705
#define IDC_CERT_VALID_TO 706
#define IDC_CERT_NAMES 707
#define IDC_CERT_FINGERPRINT 708
#define IDC_CERT_TRUST 709
