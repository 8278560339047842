#!/usr/bin/python3
"""A scripted FTP server with TLS, for replies and data connections real
servers will not produce (534 to PROT P, a data connection in clear text after
PROT P, one with an untrusted certificate, a reset). A native process, so that
it can do what sockets under Wine cannot (a reset). One control connection;
the script has one step per line:
  send TEXT        sends TEXT and CR LF
  expect           reads one command line and records it
  starttls         switches the connection to TLS (after "234" to AUTH TLS);
                   in explicit mode the connection is plain until then
  close            closes the connection
  pasv             opens a data listener and sends the 227 reply naming it
  accept           accepts the data connection
  datatls CERT     switches the data connection to TLS with the certificate
                   CERT (good, selfsigned, ...; a failed handshake is ignored)
  datasend TEXT    sends TEXT and CR LF on the data connection
  datafill N       sends N bytes on the data connection
  datarecv         records what the data connection brings until it ends
  datarecvbytes N  records at least N bytes of it
  dataclose        closes the data connection
  datareset        drops the data connection with a reset
  pause MS         waits MS milliseconds
Received lines are appended to the record file as they arrive, data-connection
bytes to the record file's name with ".data" added. The data connection's
peer may go away at any time: its failures end only the step."""
import argparse
import os
import socket
import ssl
import struct
import time


def server_context(certs, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(certs, name + ".pem"), os.path.join(certs, name + ".key"))
    return context


class DataConnection:
    def __init__(self, record_path):
        self.listener = None
        self.conn = None
        self.record_path = record_path

    def offer(self):
        if self.listener:
            self.listener.close()
        self.listener = socket.create_server(("127.0.0.1", 0))
        port = self.listener.getsockname()[1]
        return "227 Entering Passive Mode (127,0,0,1,%d,%d)." % (port >> 8, port & 0xFF)

    def accept(self):
        self.listener.settimeout(20)
        self.conn, _ = self.listener.accept()

    def secure(self, context):
        self.conn.settimeout(20)
        try:
            self.conn = context.wrap_socket(self.conn, server_side=True)
        except (OSError, ssl.SSLError):
            pass  # the client gave up on the handshake

    def send(self, data):
        try:
            self.conn.sendall(data)
        except (OSError, ssl.SSLError):
            pass

    def receive(self, limit=None):
        got = 0
        with open(self.record_path, "ab") as record:
            while limit is None or got < limit:
                try:
                    chunk = self.conn.recv(65536)
                except (OSError, ssl.SSLError):
                    break
                if not chunk:
                    break
                record.write(chunk)
                record.flush()
                got += len(chunk)

    def close(self, reset=False):
        if not self.conn:
            return
        if reset:
            # A zero linger time makes closing send a reset.
            self.conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        try:
            self.conn.close()
        except OSError:
            pass
        self.conn = None


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--tls", choices=["explicit", "implicit"], required=True)
    p.add_argument("--certs", required=True, help="the folder of the test certificates")
    p.add_argument("--script", required=True)
    p.add_argument("--record", required=True)
    a = p.parse_args()

    context = server_context(a.certs, "good")
    listener = socket.create_server(("127.0.0.1", a.port))
    steps = [line.rstrip("\n") for line in open(a.script, encoding="utf-8") if line.strip()]
    data = DataConnection(a.record + ".data")
    conn, _ = listener.accept()
    if a.tls == "implicit":
        conn = context.wrap_socket(conn, server_side=True)
    reader = conn.makefile("rb")
    with open(a.record, "ab") as record:
        for step in steps:
            verb, _, text = step.partition(" ")
            if verb == "send":
                conn.sendall(text.encode("utf-8") + b"\r\n")
            elif verb == "expect":
                line = reader.readline()
                record.write(line)
                record.flush()
                if not line:
                    break
            elif verb == "starttls":
                reader = None
                conn = context.wrap_socket(conn, server_side=True)
                reader = conn.makefile("rb")
            elif verb == "close":
                break
            elif verb == "pasv":
                conn.sendall(data.offer().encode() + b"\r\n")
            elif verb == "accept":
                data.accept()
            elif verb == "datatls":
                data.secure(server_context(a.certs, text))
            elif verb == "datasend":
                data.send(text.encode("utf-8") + b"\r\n")
            elif verb == "datafill":
                data.send(b"x" * int(text))
            elif verb == "datarecv":
                data.receive()
            elif verb == "datarecvbytes":
                data.receive(int(text))
            elif verb == "dataclose":
                data.close()
            elif verb == "datareset":
                data.close(reset=True)
            elif verb == "pause":
                time.sleep(int(text) / 1000)
    data.close()
    try:
        conn.close()
    except OSError:
        pass


if __name__ == "__main__":
    main()
