#!/usr/bin/python3
"""A scripted FTP control connection with TLS, for replies real servers will
not send (534 to PROT P and the like). One connection; the script has one step
per line:
  send TEXT   sends TEXT and CR LF
  sendraw TEXT  sends TEXT with Python escapes (\\r, \\n) decoded, in one write
  expect      reads one command line and records it
  starttls    switches the connection to TLS (after "234" to AUTH TLS)
  unwrap      ends TLS with a close notification; the connection goes on in clear
  close       closes the connection
Received lines are appended to the record file as they arrive. What the
client sends that is no command line over the expected channel is recorded
as a line starting with "!": TLS records that fail to decrypt (clear text
after the handshake), or bytes after a handshake that failed. When the script
has ended, the file RECORD.done appears."""
import argparse
import codecs
import socket
import ssl


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


def run(a, context, record):
    steps = [line.rstrip("\n") for line in open(a.script, encoding="utf-8") if line.strip()]
    listener = socket.create_server(("127.0.0.1", a.port))
    conn, _ = listener.accept()
    connection = Connection(conn, record)
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
    finally:
        try:
            connection.conn.close()
        except OSError:
            pass


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--tls", choices=["explicit", "implicit"], required=True)
    p.add_argument("--cert", required=True)
    p.add_argument("--key", required=True)
    p.add_argument("--script", required=True)
    p.add_argument("--record", required=True)
    a = p.parse_args()

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(a.cert, a.key)
    try:
        with open(a.record, "ab") as record:
            run(a, context, record)
    finally:
        open(a.record + ".done", "w").close()


if __name__ == "__main__":
    main()
