#!/usr/bin/python3
"""Makes the test certificates once per test environment.

ca.pem            the test CA that the test Wine prefix trusts
good.pem          localhost, signed by the CA
wrongname.pem     otherhost.invalid, signed by the CA
expired.pem       localhost, signed by the CA, expired a year ago
selfsigned.pem    localhost, signed by itself
Each *.pem holds the certificate; its key is in *.key, the upper-case hex
SHA-256 fingerprint of its DER encoding in *.sha256.
"""
import datetime
import os
import sys

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.x509.oid import ExtendedKeyUsageOID, NameOID


def name(common_name):
    return x509.Name([x509.NameAttribute(NameOID.ORGANIZATION_NAME, "Tarnwick tests"),
                      x509.NameAttribute(NameOID.COMMON_NAME, common_name)])


def write(folder, stem, cert, key):
    with open(os.path.join(folder, stem + ".pem"), "wb") as f:
        f.write(cert.public_bytes(serialization.Encoding.PEM))
    with open(os.path.join(folder, stem + ".sha256"), "w") as f:
        f.write(cert.fingerprint(hashes.SHA256()).hex().upper())
    with open(os.path.join(folder, stem + ".key"), "wb") as f:
        f.write(key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.TraditionalOpenSSL,
                                  serialization.NoEncryption()))


def leaf(subject_name, dns, issuer_name, issuer_key, not_before, not_after):
    key = ec.generate_private_key(ec.SECP256R1())
    cert = (x509.CertificateBuilder()
            .subject_name(name(subject_name))
            .issuer_name(issuer_name)
            .public_key(key.public_key())
            .serial_number(x509.random_serial_number())
            .not_valid_before(not_before)
            .not_valid_after(not_after)
            .add_extension(x509.SubjectAlternativeName([x509.DNSName(dns)]), critical=False)
            .add_extension(x509.ExtendedKeyUsage([ExtendedKeyUsageOID.SERVER_AUTH]), critical=False)
            .add_extension(x509.BasicConstraints(ca=False, path_length=None), critical=True)
            .sign(issuer_key or key, hashes.SHA256()))
    return cert, key


def main(folder):
    os.makedirs(folder, exist_ok=True)
    if os.path.exists(os.path.join(folder, "selfsigned.sha256")):
        return
    # A new CA must be trusted again.
    if os.path.exists(os.path.join(folder, ".trusted")):
        os.remove(os.path.join(folder, ".trusted"))
    now = datetime.datetime.now(datetime.timezone.utc)
    day = datetime.timedelta(days=1)
    ca_key = ec.generate_private_key(ec.SECP256R1())
    ca_name = name("Tarnwick Test CA")
    ca = (x509.CertificateBuilder()
          .subject_name(ca_name).issuer_name(ca_name)
          .public_key(ca_key.public_key())
          .serial_number(x509.random_serial_number())
          .not_valid_before(now - day).not_valid_after(now + 3650 * day)
          .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
          .add_extension(x509.KeyUsage(digital_signature=True, key_cert_sign=True, crl_sign=True,
                                       content_commitment=False, key_encipherment=False, data_encipherment=False,
                                       key_agreement=False, encipher_only=False, decipher_only=False), critical=True)
          .sign(ca_key, hashes.SHA256()))
    write(folder, "ca", ca, ca_key)
    write(folder, "good", *leaf("localhost", "localhost", ca_name, ca_key, now - day, now + 3650 * day))
    write(folder, "wrongname", *leaf("otherhost.invalid", "otherhost.invalid", ca_name, ca_key, now - day, now + 3650 * day))
    write(folder, "expired", *leaf("localhost", "localhost", ca_name, ca_key, now - 800 * day, now - 400 * day))
    write(folder, "selfsigned", *leaf("localhost", "localhost", name("localhost"), None, now - day, now + 3650 * day))


if __name__ == "__main__":
    main(sys.argv[1])
