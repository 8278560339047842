#!/usr/bin/python3
"""A scripted FTP server with TLS, for replies and data connections real
servers will not produce (534 to PROT P, a data connection in clear text after
PROT P, one with an untrusted certificate, a reset). A native process, so that
it can do what sockets under Wine cannot (a reset). One control connection;
the script has one step per line:
  send TEXT        sends TEXT and CR LF
  sendraw TEXT     sends TEXT with Python escapes (\\r, \\n) decoded, in one write
  expect           reads one command line and records it
  starttls         switches the connection to TLS (after "234" to AUTH TLS);
                   in explicit mode the connection is plain until then
  unwrap           ends TLS with a close notification; the connection goes on in clear
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
bytes to the record file's name with ".data" added. What the client sends that
is no command line over the expected channel is recorded as a line starting
with "!": TLS records that fail to decrypt (clear text after the handshake), or
bytes after a handshake that failed. When the script has ended, the file
RECORD.done appears. The data connection's peer may go away at any time: its
failures end only the step."""
import argparse
import codecs
import os
import socket
import ssl
import struct
import time

class Connection:
    def __init__(self, conn, record):
        self.conn = conn
        self.reader = conn.makefile("rb")
        self.record = record

    def note(self, data):
        self.record.write(data)
        self.record.flush()

    def starttls(self, context):
        # A duplicate of the plain socket outlives a failed handshake, so that
        # whatever the client sends next can still be seen.
        plain = self.conn.dup()
        self.reader = None
        try:
            self.conn = context.wrap_socket(self.conn, server_side=True)
        except (ssl.SSLError, OSError) as e:
            rest = read_to_end(plain)
            if rest:
                self.note(b"!after a failed handshake (%s): %r\n" % (str(e).encode(), rest))
            return False
        plain.close()
        self.reader = self.conn.makefile("rb")
        return True

    def expect(self):
        try:
            line = self.reader.readline()
        except ssl.SSLError as e:
            self.note(b"!not TLS: %s\n" % str(e).encode())
            return False
        except OSError:
            return False
        self.note(line)
        return bool(line)

    def unwrap(self):
        self.reader = None
        self.conn = self.conn.unwrap()
        self.reader = self.conn.makefile("rb")


def read_to_end(sock):
    sock.settimeout(20)
    data = b""
    try:
        while True:
            chunk = sock.recv(65536)
            if not chunk:
                break
            data += chunk
    except OSError:
        pass
    sock.close()
    return data


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


def run(a, context, record):
    steps = [line.rstrip("\n") for line in open(a.script, encoding="utf-8") if line.strip()]
    listener = socket.create_server(("127.0.0.1", a.port))
    conn, _ = listener.accept()
    connection = Connection(conn, record)
    data = DataConnection(a.record + ".data")
    if a.tls == "implicit" and not connection.starttls(context):
        return
    try:
        for step in steps:
            verb, _, text = step.partition(" ")
            if verb == "send":
                connection.conn.sendall(text.encode("utf-8") + b"\r\n")
            elif verb == "sendraw":
                connection.conn.sendall(codecs.escape_decode(text.encode("utf-8"))[0])
            elif verb == "expect":
                if not connection.expect():
                    break
            elif verb == "starttls":
                if not connection.starttls(context):
                    break
            elif verb == "unwrap":
                connection.unwrap()
            elif verb == "close":
                break
            elif verb == "pasv":
                connection.conn.sendall(data.offer().encode() + b"\r\n")
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
    finally:
        data.close()
        try:
            connection.conn.close()
        except OSError:
            pass


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--tls", choices=["explicit", "implicit"], required=True)
    p.add_argument("--certs", required=True, help="the folder of the test certificates")
    p.add_argument("--cert", default="good", help="the control connection's certificate")
    p.add_argument("--script", required=True)
    p.add_argument("--record", required=True)
    a = p.parse_args()

    context = server_context(a.certs, a.cert)
    try:
        with open(a.record, "ab") as record:
            run(a, context, record)
    finally:
        open(a.record + ".done", "w").close()


if __name__ == "__main__":
    main()
