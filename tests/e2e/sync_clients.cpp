// The two sync clients: where they are (the file sync_clients.sh writes, named by the
// variable QUILLPAD_E2E_SYNC) and a small HTTP client for their REST API on 127.0.0.1.
#include "sync_clients.h"

#include "check.h"
#include "more_actions.h"
#include "pages_file.h"

#include <windows.h>
#include <winsock2.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace {

// The lines "key=value" of the file sync_clients.sh wrote.
const std::map<std::string, std::string>& Clients() {
    static const std::map<std::string, std::string> clients = [] {
        char path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableA("QUILLPAD_E2E_SYNC", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH ||
            GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
            Fail("the sync clients are not running (CTest's e2e_sync_setup starts them)");
        }
        std::map<std::string, std::string> read;
        const std::string bytes = ReadBytes(path);
        for (size_t at = 0; at < bytes.size();) {
            const size_t end = std::min(bytes.find('\n', at), bytes.size());
            const std::string line = bytes.substr(at, end - at);
            const size_t equals = line.find('=');
            if (equals != std::string::npos) {
                read[line.substr(0, equals)] = line.substr(equals + 1);
            }
            at = end + 1;
        }
        return read;
    }();
    return clients;
}

const std::string& Setting(const std::string& key) {
    const auto found = Clients().find(key);
    if (found == Clients().end() || found->second.empty()) {
        Fail("the sync clients' file has no " + key);
    }
    return found->second;
}

// One request to PC "a" or "b"; the body of its answer, which must be 200 OK.
std::string Rest(const std::string& pc, const std::string& method, const std::string& path) {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    const std::string& address = Setting("rest." + pc);
    const size_t colon = address.find(':');
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = inet_addr(address.substr(0, colon).c_str());
    to.sin_port = htons(static_cast<u_short>(std::stoi(address.substr(colon + 1))));
    SOCKET link = started ? socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
    const DWORD patience = 5000;
    std::string answer;
    if (link != INVALID_SOCKET) {
        setsockopt(link, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&patience),
                   sizeof patience);
        const std::string request = method + " " + path + " HTTP/1.0\r\nHost: " + address +
                                    "\r\nX-API-Key: " + Setting("key") +
                                    "\r\nContent-Length: 0\r\n\r\n";
        if (connect(link, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
            send(link, request.data(), static_cast<int>(request.size()), 0) ==
                static_cast<int>(request.size())) {
            char buffer[4096];
            for (int got; (got = recv(link, buffer, sizeof buffer, 0)) > 0;) {
                answer.append(buffer, static_cast<size_t>(got));
            }
        }
        closesocket(link);
    }
    const size_t body = answer.find("\r\n\r\n");
    if (answer.compare(0, 12, "HTTP/1.0 200") != 0 && answer.compare(0, 12, "HTTP/1.1 200") != 0) {
        Fail(method + " " + path + " to PC " + pc + "'s sync client was answered " +
             Visible(answer.substr(0, answer.find("\r\n"))));
    }
    return body == std::string::npos ? "" : answer.substr(body + 4);
}

// Whether PC pc's sync client is connected to the other device now.
bool Connected(const std::string& pc, const std::string& other) {
    std::string json = Rest(pc, "GET", "/rest/system/connections");
    json.erase(std::remove_if(json.begin(), json.end(),
                              [](unsigned char c) { return std::isspace(c) != 0; }),
               json.end());
    const size_t device = json.find("\"" + Setting("id." + other) + "\":{");
    const size_t entryEnd = json.find('}', device);
    const size_t flag = json.find("\"connected\":true", device);
    return device != std::string::npos && flag < entryEnd;
}

void SetBothPaused(bool paused) {
    const std::string verb = paused ? "pause" : "resume";
    Rest("a", "POST", "/rest/system/" + verb + "?device=" + Setting("id.b"));
    Rest("b", "POST", "/rest/system/" + verb + "?device=" + Setting("id.a"));
    WaitUntil([&] { return Connected("a", "b") != paused && Connected("b", "a") != paused; },
              paused ? "the sync clients to part" : "the sync clients to meet again", 10000);
}

std::string FreshName() {
    return "pad-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
}

} // namespace

SyncedFolders::SyncedFolders(const std::vector<std::string>& pages)
    : name_(FreshName()), a_(Setting("folder.a"), name_), b_(Setting("folder.b"), name_) {
    // On line, whatever a scenario that failed off line left behind.
    GoOnLine();
    const std::string bytes = PreparePad(a_, pages);
    WaitUntil(
        [&] {
            const std::string path = b_ / PagesFileName;
            return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
                   ReadBytes(path) == bytes;
        },
        "PC A's new pad to reach PC B", 15000);
}

void GoOffLine() {
    SetBothPaused(true);
}

void GoOnLine() {
    SetBothPaused(false);
}
