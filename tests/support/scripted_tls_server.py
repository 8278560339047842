#!/usr/bin/python3
"""A scripted FTP control connection with TLS, for replies real servers will
not send (534 to PROT P and the like). One connection; the script has one step
per line:
  send TEXT   sends TEXT and CR LF
  sendraw TEXT  sends TEXT with Python escapes (\\r, \\n) decoded, in one write
  expect      reads one command line and records it
  starttls    switches the connection to TLS (after "234" to AUTH TLS)
  close       closes the connection
Received lines are appended to the record file as they arrive."""
import argparse
import codecs
import socket
import ssl


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
    listener = socket.create_server(("127.0.0.1", a.port))
    steps = [line.rstrip("\n") for line in open(a.script, encoding="utf-8") if line.strip()]
    conn, _ = listener.accept()
    if a.tls == "implicit":
        conn = context.wrap_socket(conn, server_side=True)
    reader = conn.makefile("rb")
    with open(a.record, "ab") as record:
        for step in steps:
            verb, _, text = step.partition(" ")
            if verb == "send":
                conn.sendall(text.encode("utf-8") + b"\r\n")
            elif verb == "sendraw":
                conn.sendall(codecs.escape_decode(text.encode("utf-8"))[0])
            elif verb == "expect":
                line = reader.readline()
                record.write(line)
                record.flush()
                if not line:
                    break
            elif verb == "starttls":
                reader = None
                try:
                    conn = context.wrap_socket(conn, server_side=True)
                except OSError:  # the client refused the handshake
                    break
                reader = conn.makefile("rb")
            elif verb == "close":
                break
    try:
        conn.close()
    except OSError:
        pass


if __name__ == "__main__":
    main()
