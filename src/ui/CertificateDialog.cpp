#include "ui/CertificateDialog.h"

#include <string>

#include "ui/HelpTopic.h"
#include "ui/OptionDialogIds.h"

namespace {

struct Shown {
    const CertificateFacts& facts;
    bool changed;
    HFONT fixedFont = nullptr;
};

// The fingerprint's 32 pairs on two lines, so that it fits beside its label.
std::wstring FingerprintLines(const std::string& sha256)
{
    std::wstring text = FingerprintText(sha256);
    constexpr size_t kLineLength = 16 * 3 - 1;
    if (text.size() > kLineLength)
        text.replace(kLineLength, 1, L"\r\n");
    return text;
}

// The dialog's font in a fixed-pitch face of the same height.
HFONT FixedFont(HWND dialog)
{
    LOGFONTW font{};
    auto current = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof(font), &font))
        return nullptr;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynW(font.lfFaceName, L"Courier New", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void Fill(HWND dialog, Shown& shown)
{
    const CertificateFacts& facts = shown.facts;
    SendDlgItemMessageW(dialog, IDC_CERT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)),
                        0);
    if (shown.changed)
        SetDlgItemTextW(dialog, IDC_CERT_CHANGED,
                        L"The server's certificate has changed since you trusted it for this server.");
    else
        ShowWindow(GetDlgItem(dialog, IDC_CERT_CHANGED), SW_HIDE);
    SetDlgItemTextW(dialog, IDC_CERT_REASON, CertificateProblemText(facts.problem).c_str());
    SetDlgItemTextW(dialog, IDC_CERT_SUBJECT, facts.subject.c_str());
    SetDlgItemTextW(dialog, IDC_CERT_ISSUER, facts.issuer.c_str());
    SetDlgItemTextW(dialog, IDC_CERT_VALID_FROM, CertificateTimeText(facts.validFrom).c_str());
    SetDlgItemTextW(dialog, IDC_CERT_VALID_TO, CertificateTimeText(facts.validTo).c_str());
    SetDlgItemTextW(dialog, IDC_CERT_NAMES, CertificateNamesText(facts.names).c_str());
    shown.fixedFont = FixedFont(dialog);
    if (shown.fixedFont)
        SendDlgItemMessageW(dialog, IDC_CERT_FINGERPRINT, WM_SETFONT, reinterpret_cast<WPARAM>(shown.fixedFont), FALSE);
    SetDlgItemTextW(dialog, IDC_CERT_FINGERPRINT, FingerprintLines(facts.sha256).c_str());
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Fill(dialog, *reinterpret_cast<Shown*>(lParam));
        // Cancel, the default button, starts with the focus.
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_CERT_TRUST:
    case IDCANCEL:
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case IDHELP:
        ShowHelpTopic(dialog, L"certificate");
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool CertificateDialog::TrustCertificate(const CertificateFacts& facts, bool changed)
{
    Shown shown{facts, changed};
    INT_PTR answer = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CERTIFICATE), owner_, Procedure,
                                     reinterpret_cast<LPARAM>(&shown));
    if (shown.fixedFont)
        DeleteObject(shown.fixedFont);
    return answer == IDC_CERT_TRUST;
}
