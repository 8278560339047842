#!/usr/bin/python3
"""A pyftpdlib server for the tests: one user with full rights on one folder,
plain, explicit TLS (AUTH TLS) or implicit TLS. Two faults on demand for TLS:
data connections under another certificate than the control connection's, or
data connections left in clear text although PROT P was accepted."""
import argparse
import logging
import os

from OpenSSL import SSL
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


# Names no real folder can hold, or that Windows must not be given: with
# --hostile-names the listing of a folder called "hostile-N" holds the N-th of
# them beside its real entries (a file, as far as the listing tells), a file
# whose name holds "half-fail" breaks off half-way through RETR (and STOR
# after 64 KiB), one whose name holds "once-fail" does so only the first time
# in each direction, and the folders below /endless nest without end.
HOSTILE_NAMES = ["../x", "..\\x", "C:x", "C:\\x", "/x", "CON", "nul.txt", "a:b", "cr\rname", "lf\nname", "C:"]


class HostileFS(AbstractedFS):
    fake = set()
    failed_once = set()

    # Every folder "d" below /endless is /endless itself under the name the
    # client asked for, so its folders nest without end.
    def ftp2fs(self, ftppath):
        path = self.ftpnorm(ftppath)
        self._asked = path
        if path.startswith("/endless/"):
            path = "/".join(part for part in path.split("/") if part != "d")
        return super().ftp2fs(path)

    def chdir(self, path):
        super().chdir(path)
        asked = getattr(self, "_asked", "")
        if asked.startswith("/endless/"):
            self.cwd = asked

    def listdir(self, path):
        names = super().listdir(path)
        base = os.path.basename(os.path.normpath(path))
        if base.startswith("hostile-") and base[8:].isdigit() and int(base[8:]) < len(HOSTILE_NAMES):
            name = HOSTILE_NAMES[int(base[8:])]
            HostileFS.fake.add(os.path.join(path, name))
            names.append(name)
        return names

    def stat(self, path):
        return os.stat(__file__) if path in HostileFS.fake else super().stat(path)

    def lstat(self, path):
        return os.lstat(__file__) if path in HostileFS.fake else super().lstat(path)

    def open(self, filename, mode):
        real = super().open(filename, mode)
        name = os.path.basename(filename)
        reading = "r" in mode and "+" not in mode
        fails = "half-fail" in name
        if "once-fail" in name and (filename, reading) not in HostileFS.failed_once:
            HostileFS.failed_once.add((filename, reading))
            fails = True
        if fails and reading:
            return HalfFile(real, os.fstat(real.fileno()).st_size // 2)
        if fails:
            return HalfFile(real, 65536)
        return real


class HalfFile:
    """Reads or writes the first `limit` bytes, then fails like a broken disk."""

    def __init__(self, real, limit):
        self._real = real
        self._left = limit

    def read(self, size=-1):
        if self._left <= 0:
            raise OSError(5, "Input/output error")
        data = self._real.read(min(size, self._left) if size >= 0 else self._left)
        self._left -= len(data)
        return data

    def write(self, data):
        if self._left <= 0:
            raise OSError(28, "No space left on device")
        self._left -= len(data)
        return self._real.write(data[:len(data) + min(self._left, 0)])

    def __getattr__(self, name):
        return getattr(self._real, name)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--root", required=True)
    p.add_argument("--user", required=True)
    p.add_argument("--password", required=True)
    p.add_argument("--tls", choices=["none", "explicit", "implicit"], default="none")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--pasv-ports", default="")
    p.add_argument("--dead-pasv", action="store_true",
                   help="answer PASV with a port where nothing listens, so no data connection can be made")
    p.add_argument("--data-cert", help="the certificate of the data connections, when not --cert")
    p.add_argument("--data-key")
    p.add_argument("--clear-data", action="store_true",
                   help="accept PROT P but leave the data connections in clear text")
    p.add_argument("--hostile-names", action="store_true")
    p.add_argument("--list-only", action="store_true",
                   help="no MLSD, MLST, MDTM or MFMT: times only from LIST lines")
    p.add_argument("--log")
    a = p.parse_args()

    if a.log:
        logging.basicConfig(filename=a.log, level=logging.DEBUG)
    authorizer = DummyAuthorizer()
    authorizer.add_user(a.user, a.password, a.root, perm="elradfmwMT")

    if a.tls == "none":
        base = FTPHandler
    else:
        base = TLS_FTPHandler

    class Handler(base):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, **kwargs)
            # pyftpdlib implies MLSD by its MLST line; announce it by name, as
            # many servers do, so that the client's MLSD listings meet a real server.
            if not a.list_only:
                self._extra_feats = list(self._extra_feats) + ["MLSD"]

    Handler.authorizer = authorizer
    if a.tls != "none":
        Handler.certfile = a.cert
        Handler.keyfile = a.key
        Handler.tls_control_required = False
        Handler.tls_data_required = False
    if a.data_cert or a.clear_data:
        data_context = None
        if a.data_cert:
            data_context = SSL.Context(SSL.SSLv23_METHOD)
            data_context.use_certificate_chain_file(a.data_cert)
            data_context.use_privatekey_file(a.data_key)

        class DataHandler(TLS_DTPHandler):
            def secure_connection(self, ssl_context):
                if data_context:
                    super().secure_connection(data_context)

        Handler.dtp_handler = DataHandler
    if a.tls == "implicit":
        # TLS from the first byte: secure the connection before the greeting.
        def handle(self):
            self.secure_connection(self.ssl_context)

        def handle_ssl_established(self):
            base.handle(self)

        Handler.handle = handle
        Handler.handle_ssl_established = handle_ssl_established
    if a.pasv_ports:
        low, high = a.pasv_ports.split("-")
        Handler.passive_ports = range(int(low), int(high) + 1)
    Handler.masquerade_address = None
    if a.dead_pasv:
        def ftp_PASV(self, line):
            self.respond("227 Entering Passive Mode (127,0,0,1,0,1).")
        Handler.ftp_PASV = ftp_PASV
    if a.hostile_names:
        Handler.abstracted_fs = HostileFS
    if a.list_only:
        Handler.proto_cmds = {name: value for name, value in Handler.proto_cmds.items()
                              if name not in ("MLSD", "MLST", "MDTM", "MFMT")}
    Handler.banner = "Tarnwick test pyftpdlib ready."
    Handler.use_sendfile = False

    server = FTPServer(("127.0.0.1", a.port), Handler)
    server.serve_forever()


if __name__ == "__main__":
    main()
