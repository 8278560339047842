// tree-floor: the least a Windows program does to fetch or store the tree of
// bench/tree over plain FTP, for its "floor" column: the commands a
// sequential client must send per file (SIZE, PASV, RETR or STOR, and MDTM
// with the file's time set after a download) on blocking Winsock calls, with
// no log, no progress, no part files and no checks. Under Wine every socket
// and file call costs a round trip to the Wine server, and this shows what
// that alone costs next to a native client.
//   tree-floor PORT USER PASSWORD get|put REMOTEDIR LOCALDIR FOLDERS PER_FOLDER
// fetches REMOTEDIR/dN/fNNN.bin into LOCALDIR\dN\, or stores LOCALDIR's
// files so; the target folder exists. Prints the seconds from the connect to
// the last reply.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

SOCKET control = INVALID_SOCKET;
std::string pending;  // control bytes received beyond the last reply

SOCKET ConnectTo(int port)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        std::fprintf(stderr, "connect to port %d failed\n", port);
        std::exit(1);
    }
    return s;
}

std::string Reply()
{
    for (;;) {
        for (size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 2);
            if (line.size() >= 4 && line[3] == ' ')
                return line;
        }
        char bytes[4096];
        int n = recv(control, bytes, sizeof(bytes), 0);
        if (n <= 0) {
            std::fprintf(stderr, "the server closed the control connection\n");
            std::exit(1);
        }
        pending.append(bytes, static_cast<size_t>(n));
    }
}

std::string Command(const std::string& line)
{
    std::string sent = line + "\r\n";
    send(control, sent.data(), static_cast<int>(sent.size()), 0);
    return Reply();
}

SOCKET OpenPassive()
{
    std::string reply = Command("PASV");
    int h1, h2, h3, h4, p1, p2;
    size_t open = reply.find('(');
    if (open == std::string::npos ||
        std::sscanf(reply.c_str() + open + 1, "%d,%d,%d,%d,%d,%d", &h1, &h2, &h3, &h4, &p1, &p2) != 6) {
        std::fprintf(stderr, "bad PASV reply: %s\n", reply.c_str());
        std::exit(1);
    }
    return ConnectTo(p1 * 256 + p2);
}

void SetTimeFromMdtm(HANDLE file, const std::string& reply)
{
    SYSTEMTIME time{};
    if (std::sscanf(reply.c_str(), "213 %4hu%2hu%2hu%2hu%2hu%2hu", &time.wYear, &time.wMonth, &time.wDay, &time.wHour,
                    &time.wMinute, &time.wSecond) != 6)
        return;
    FILETIME stamp;
    SystemTimeToFileTime(&time, &stamp);
    SetFileTime(file, &stamp, nullptr, &stamp);
}

void Get(const std::string& remote, const std::string& local)
{
    Command("SIZE " + remote);
    SOCKET data = OpenPassive();
    Command("RETR " + remote);
    HANDLE file = CreateFileA(local.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    char bytes[65536];
    for (int n; (n = recv(data, bytes, sizeof(bytes), 0)) > 0;) {
        DWORD written = 0;
        WriteFile(file, bytes, static_cast<DWORD>(n), &written, nullptr);
    }
    closesocket(data);
    Reply();
    SetTimeFromMdtm(file, Command("MDTM " + remote));
    CloseHandle(file);
}

void Put(const std::string& local, const std::string& remote)
{
    HANDLE file = CreateFileA(local.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SOCKET data = OpenPassive();
    Command("STOR " + remote);
    char bytes[65536];
    DWORD read = 0;
    while (ReadFile(file, bytes, sizeof(bytes), &read, nullptr) && read > 0)
        send(data, bytes, static_cast<int>(read), 0);
    CloseHandle(file);
    closesocket(data);
    Reply();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 9) {
        std::fprintf(stderr, "usage: tree-floor PORT USER PASSWORD get|put REMOTEDIR LOCALDIR FOLDERS PER_FOLDER\n");
        return 2;
    }
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    bool get = std::string(argv[4]) == "get";
    std::string remote = argv[5], local = argv[6];
    int folders = std::atoi(argv[7]), perFolder = std::atoi(argv[8]);

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    control = ConnectTo(std::atoi(argv[1]));
    Reply();
    Command(std::string("USER ") + argv[2]);
    Command(std::string("PASS ") + argv[3]);
    Command("TYPE I");
    for (int d = 0; d < folders; ++d) {
        std::string remoteFolder = remote + "/d" + std::to_string(d);
        std::string localFolder = local + "\\d" + std::to_string(d);
        if (get)
            CreateDirectoryA(localFolder.c_str(), nullptr);
        else
            Command("MKD " + remoteFolder);
        for (int f = 0; f < perFolder; ++f) {
            char name[16];
            std::snprintf(name, sizeof(name), "f%03d.bin", f);
            if (get)
                Get(remoteFolder + "/" + name, localFolder + "\\" + name);
            else
                Put(localFolder + "\\" + name, remoteFolder + "/" + name);
        }
    }
    QueryPerformanceCounter(&end);
    std::printf("%.2f\n", static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    Command("QUIT");
    return 0;
}
