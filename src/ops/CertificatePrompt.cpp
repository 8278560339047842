#include "ops/CertificatePrompt.h"

#include "ops/ConnectionPrompts.h"

bool CertificateQuestionPrompt::TrustCertificate(const CertificateFacts& facts, bool changed)
{
    return prompt_.Ask(CertificateQuestion(facts, changed)).accepted;
}
