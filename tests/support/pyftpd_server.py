#!/usr/bin/python3
"""A pyftpdlib server for the tests: one user with full rights on one folder,
plain, explicit TLS (AUTH TLS) or implicit TLS. Two faults on demand for TLS:
data connections under another certificate than the control connection's, or
data connections left in clear text although PROT P was accepted."""
import argparse
import logging

from OpenSSL import SSL
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


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
    Handler.banner = "Tarnwick test pyftpdlib ready."
    Handler.use_sendfile = False

    server = FTPServer(("127.0.0.1", a.port), Handler)
    server.serve_forever()


if __name__ == "__main__":
    main()
