#!/usr/bin/python3
"""Starts and stops real FTP servers for the tests, on request.

The test programs run under Wine and cannot start Linux processes, so this
native process does it for them. It listens on 127.0.0.1 and writes its port
to <testenv>/manager.port. One request per line, one answer per line:

  start KIND TLS CERT [OPTION...]   KIND vsftpd|pyftpdlib, TLS none|explicit|implicit,
                                   CERT good|wrongname|expired|selfsigned,
                                   OPTION (pyftpdlib only) dead-pasv, hostile-names, untrusted-data-cert
                                   (data connections under a self-signed certificate),
                                   clear-data (PROT P accepted, data left in clear text),
                                   list-only (no MLSD, MLST, MDTM, MFMT)
      -> ok ID PORT ROOT USER PASSWORD      ROOT is the Linux path of the served folder
  scripted TLS SCRIPT RECORD [CERT] -> ok ID PORT   a scripted server (scripted_tls_server.py),
                                             TLS explicit|implicit, SCRIPT and RECORD Linux paths,
                                             CERT of the control connection as for start (good when left out)
  stop ID -> ok
  recert ID CERT -> ok                       restarts a pyftpdlib server on the same port and folder
                                             with another certificate (CERT as for start)
  log ID  -> ok PATH                         the server's protocol log
  own ID  -> ok                              gives everything in the served folder to the
                                             server's user (files the tests made belong to root)
  symlink ID LINK TARGET -> ok               makes the symbolic link LINK (relative to the served
                                             folder) pointing to TARGET (Wine cannot make one)
Errors answer "error TEXT".
"""
import os
import pwd
import shutil
import signal
import socket
import socketserver
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_test_certs  # noqa: E402

TEST_USER = "tarnwick"
TEST_PASSWORD = "tarnwick-test-pw"
PAM_SERVICE = "tarnwick-vsftpd"


class Manager:
    def __init__(self, env):
        self.env = env
        self.certs = os.path.join(env, "certs")
        self.servers = {}
        self.commands = {}  # the command line of each pyftpdlib server, for recert
        self.next_id = 1
        self.lock = threading.Lock()
        make_test_certs.main(self.certs)

    def free_port(self):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            return s.getsockname()[1]

    def free_port_range(self, count):
        """A run of consecutive free ports for passive data connections."""
        for _ in range(200):
            base = self.free_port()
            if base + count > 65000:
                continue
            ok = True
            for p in range(base, base + count):
                with socket.socket() as s:
                    try:
                        s.bind(("127.0.0.1", p))
                    except OSError:
                        ok = False
                        break
            if ok:
                return base
        raise RuntimeError("no free port range")

    def start(self, kind, tls, cert, options):
        with self.lock:
            server_id = str(self.next_id)
            self.next_id += 1
        folder = os.path.join(self.env, "servers", server_id)
        shutil.rmtree(folder, ignore_errors=True)
        root = os.path.join(folder, "root")
        os.makedirs(root)
        port = self.free_port()
        pasv = self.free_port_range(20)
        certfile = os.path.join(self.certs, cert + ".pem")
        keyfile = os.path.join(self.certs, cert + ".key")
        log = os.path.join(folder, "protocol.log")
        if kind == "vsftpd":
            command = self.vsftpd_command(folder, root, port, pasv, tls, certfile, keyfile, log)
            user, password = TEST_USER, TEST_PASSWORD
        elif kind == "pyftpdlib":
            user, password = "tester", "tester-pw"
            command = ["/usr/bin/python3", os.path.join(HERE, "pyftpd_server.py"), "--port", str(port), "--root", root,
                       "--user", user, "--password", password, "--tls", tls, "--cert", certfile, "--key", keyfile,
                       "--pasv-ports", "%d-%d" % (pasv, pasv + 19), "--log", log]
            if "dead-pasv" in options:
                command.append("--dead-pasv")
            if "untrusted-data-cert" in options:
                command += ["--data-cert", os.path.join(self.certs, "selfsigned.pem"),
                            "--data-key", os.path.join(self.certs, "selfsigned.key")]
            if "clear-data" in options:
                command.append("--clear-data")
            if "hostile-names" in options:
                command.append("--hostile-names")
            if "list-only" in options:
                command.append("--list-only")
        else:
            raise RuntimeError("unknown server kind " + kind)
        process = self.launch(command, folder, port)
        with self.lock:
            self.servers[server_id] = (process, folder, log)
            if kind == "pyftpdlib":
                self.commands[server_id] = (command, port)
        return "ok %s %d %s %s %s" % (server_id, port, root, user, password)

    def launch(self, command, folder, port):
        output = open(os.path.join(folder, "output.txt"), "ab")
        process = subprocess.Popen(command, stdout=output, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                   start_new_session=True)
        self.wait_listening(port, process)
        return process

    def recert(self, server_id, cert):
        with self.lock:
            entry = self.servers.get(server_id)
            started = self.commands.get(server_id)
        if not entry or not started:
            return "error no such pyftpdlib server"
        process, folder, log = entry
        command, port = started
        command = list(command)
        command[command.index("--cert") + 1] = os.path.join(self.certs, cert + ".pem")
        command[command.index("--key") + 1] = os.path.join(self.certs, cert + ".key")
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        process = self.launch(command, folder, port)
        with self.lock:
            self.servers[server_id] = (process, folder, log)
            self.commands[server_id] = (command, port)
        return "ok"

    def start_scripted(self, tls, script, record, cert):
        with self.lock:
            server_id = str(self.next_id)
            self.next_id += 1
        folder = os.path.join(self.env, "servers", server_id)
        os.makedirs(folder, exist_ok=True)
        port = self.free_port()
        command = ["/usr/bin/python3", os.path.join(HERE, "scripted_tls_server.py"), "--port", str(port), "--tls", tls,
                   "--certs", self.certs, "--cert", cert, "--script", script, "--record", record]
        output = open(os.path.join(folder, "output.txt"), "wb")
        process = subprocess.Popen(command, stdout=output, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                   start_new_session=True)
        deadline = time.time() + 10
        while time.time() < deadline:  # connecting would use up its only connection
            if process.poll() is not None:
                raise RuntimeError("scripted server exited with %d" % process.returncode)
            with socket.socket() as probe:
                try:
                    probe.bind(("127.0.0.1", port))
                except OSError:
                    break
            time.sleep(0.05)
        with self.lock:
            self.servers[server_id] = (process, folder, record)
        return "ok %s %d" % (server_id, port)

    def vsftpd_command(self, folder, root, port, pasv, tls, certfile, keyfile, log):
        account = pwd.getpwnam(TEST_USER)
        os.chown(root, account.pw_uid, account.pw_gid)
        empty = os.path.join(folder, "empty")
        os.makedirs(empty)
        lines = [
            "listen=YES", "listen_ipv6=NO", "background=NO", "listen_address=127.0.0.1",
            "listen_port=%d" % port, "pasv_enable=YES", "pasv_address=127.0.0.1",
            "pasv_min_port=%d" % pasv, "pasv_max_port=%d" % (pasv + 19),
            "anonymous_enable=NO", "local_enable=YES", "write_enable=YES", "local_umask=022",
            "chroot_local_user=YES", "allow_writeable_chroot=YES", "local_root=" + root,
            "pam_service_name=" + PAM_SERVICE, "userlist_enable=NO", "check_shell=NO",
            "seccomp_sandbox=NO", "secure_chroot_dir=" + empty, "use_localtime=NO",
            "xferlog_enable=YES", "log_ftp_protocol=YES", "vsftpd_log_file=" + log,
            "dual_log_enable=NO", "syslog_enable=NO", "ftpd_banner=Tarnwick test vsftpd ready.",
        ]
        if tls != "none":
            lines += ["ssl_enable=YES", "rsa_cert_file=" + certfile, "rsa_private_key_file=" + keyfile,
                      "ssl_ciphers=HIGH", "require_ssl_reuse=NO", "ssl_tlsv1=YES",
                      "ssl_sslv2=NO", "ssl_sslv3=NO",
                      "force_local_logins_ssl=NO", "force_local_data_ssl=NO",
                      "implicit_ssl=" + ("YES" if tls == "implicit" else "NO")]
        conf = os.path.join(folder, "vsftpd.conf")
        with open(conf, "w") as f:
            f.write("\n".join(lines) + "\n")
        return ["/usr/sbin/vsftpd", conf]

    def wait_listening(self, port, process):
        deadline = time.time() + 10
        while time.time() < deadline:
            if process.poll() is not None:
                raise RuntimeError("server exited with %d" % process.returncode)
            try:
                with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                    return
            except OSError:
                time.sleep(0.05)
        raise RuntimeError("server did not start listening")

    def stop(self, server_id):
        with self.lock:
            entry = self.servers.pop(server_id, None)
        if not entry:
            return "error no such server"
        process, folder, _ = entry
        self.commands.pop(server_id, None)
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()
        shutil.rmtree(folder, ignore_errors=True)
        return "ok"

    def log(self, server_id):
        with self.lock:
            entry = self.servers.get(server_id)
        return "ok " + entry[2] if entry else "error no such server"

    def own(self, server_id):
        with self.lock:
            entry = self.servers.get(server_id)
        if not entry:
            return "error no such server"
        account = pwd.getpwnam(TEST_USER)
        for top, dirs, files in os.walk(os.path.join(entry[1], "root")):
            for n in [top] + [os.path.join(top, x) for x in dirs + files]:
                os.lchown(n, account.pw_uid, account.pw_gid)
        return "ok"

    def symlink(self, server_id, link, target):
        with self.lock:
            entry = self.servers.get(server_id)
        if not entry:
            return "error no such server"
        root = os.path.join(entry[1], "root")
        path = os.path.normpath(os.path.join(root, link))
        if not path.startswith(root + os.sep):
            return "error the link must lie in the served folder"
        os.symlink(target, path)
        return "ok"

    def stop_all(self):
        for server_id in list(self.servers):
            self.stop(server_id)

    def handle(self, line):
        words = line.split()
        try:
            if words[0] == "start" and len(words) >= 4:
                return self.start(words[1], words[2], words[3], set(words[4:]))
            if words[0] == "scripted" and len(words) in (4, 5):
                return self.start_scripted(words[1], words[2], words[3], words[4] if len(words) == 5 else "good")
            if words[0] == "stop" and len(words) == 2:
                return self.stop(words[1])
            if words[0] == "recert" and len(words) == 3:
                return self.recert(words[1], words[2])
            if words[0] == "log" and len(words) == 2:
                return self.log(words[1])
            if words[0] == "own" and len(words) == 2:
                return self.own(words[1])
            if words[0] == "symlink" and len(words) == 4:
                return self.symlink(words[1], words[2], words[3])
            return "error bad request"
        except Exception as e:  # the answer goes back to the test that asked
            return "error " + str(e).replace("\n", " ")


def main(env):
    manager = Manager(env)

    class Handler(socketserver.StreamRequestHandler):
        def handle(self):
            for raw in self.rfile:
                answer = manager.handle(raw.decode().strip())
                self.wfile.write((answer + "\n").encode())
                self.wfile.flush()

    class Server(socketserver.ThreadingTCPServer):
        daemon_threads = True
        allow_reuse_address = True

    server = Server(("127.0.0.1", 0), Handler)

    def shut_down(*_):
        manager.stop_all()
        os._exit(0)

    signal.signal(signal.SIGTERM, shut_down)
    signal.signal(signal.SIGINT, shut_down)
    with open(os.path.join(env, "manager.port.tmp"), "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(os.path.join(env, "manager.port.tmp"), os.path.join(env, "manager.port"))
    server.serve_forever()


if __name__ == "__main__":
    main(sys.argv[1])
