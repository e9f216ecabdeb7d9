// lumaro-ftp: one FTP command per run through FtpClient.
//   lumaro-ftp -H host -P port -u user -p password [--passive] COMMAND ARGS...
//   lumaro-ftp parse-list  < raw LIST lines
// Remote and local paths are taken as UTF-8 (the terminal's encoding) and converted to the
// system's GB18030 texts; listed names are printed in UTF-8 as "d|f <tab> size <tab> name".
// Exit status 0 on success, 1 on failure (a bad command line too) with one line on standard
// error saying why.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ftp/ftp_client.h"
#include "platform/ftp_session/list_parser.h"
#include "platform/text/encoding.h"

namespace {

using lumaro::ftp::FtpClient;
using lumaro::ftp_session::RemoteEntry;

int usage() {
    std::cerr << "usage: lumaro-ftp -H host -P port -u user -p password [--passive] "
                 "ls PATH | get REMOTE LOCAL | put LOCAL REMOTE | mkdir PATH | rmdir PATH | "
                 "rm PATH | rename OLD NEW | pwd; or: lumaro-ftp parse-list < lines\n";
    return 1;
}

std::string gb(const std::string& utf8) {
    return lumaro::text::fromUtf8(utf8);
}

void printEntries(const std::vector<RemoteEntry>& entries, bool namesAreGb) {
    std::string out;
    out.reserve(1 << 20);
    for (const RemoteEntry& e : entries) {
        out += e.isDirectory ? "d\t" : "f\t";
        out += std::to_string(e.size);
        out += '\t';
        bool ascii = std::all_of(e.name.begin(), e.name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        out += namesAreGb && !ascii ? lumaro::text::toUtf8(e.name) : e.name;
        out += '\n';
        if (out.size() > (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int parseList() {
    std::vector<RemoteEntry> entries;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (auto entry = lumaro::ftp_session::parseListLine(line)) {
            entries.push_back(std::move(*entry));
        }
    }
    printEntries(entries, false);  // raw bytes in, the same bytes out
    return 0;
}

int fail(FtpClient& client, const std::string& what) {
    lumaro::ftp_session::FtpError error = client.lastError();
    std::cerr << "lumaro-ftp: " << what
              << " failed: " << lumaro::ftp_session::errorKindName(error.kind);
    if (!error.message.empty()) {
        std::string message = error.message;
        for (char& c : message) {
            if (c == '\n' || c == '\r') {
                c = ' ';
            }
        }
        std::cerr << ": " << message;
    }
    std::cerr << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "parse-list") {
        return parseList();
    }
    std::string host = "127.0.0.1", user = "anonymous", password = "lumaro@";
    int port = 21;
    bool passive = false;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--passive") {
            passive = true;
        } else if ((a == "-H" || a == "-P" || a == "-u" || a == "-p") && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (a == "-H") {
                host = value;
            } else if (a == "-P") {
                port = std::atoi(value.c_str());
            } else if (a == "-u") {
                user = value;
            } else {
                password = value;
            }
        } else {
            break;
        }
    }
    if (i >= args.size()) {
        return usage();
    }
    const std::string command = args[i];
    std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
    struct Shape {
        const char* name;
        std::size_t arguments;
    };
    const Shape shapes[] = {{"ls", 1},    {"get", 2}, {"put", 2},    {"mkdir", 1},
                            {"rmdir", 1}, {"rm", 1},  {"rename", 2}, {"pwd", 0}};
    bool known = false;
    for (const Shape& s : shapes) {
        known = known || (command == s.name && rest.size() == s.arguments);
    }
    if (!known) {
        return usage();
    }

    FtpClient client;
    client.setPassive(passive);
    if (!client.connect(host, gb(user), gb(password), port)) {
        return fail(client, "connect");
    }
    bool ok = false;
    if (command == "ls") {
        std::vector<RemoteEntry> entries;
        ok = client.listEntries(gb(rest[0]), entries);
        if (ok) {
            printEntries(entries, true);
        }
    } else if (command == "get") {
        ok = client.downloadFile(gb(rest[0]), gb(rest[1]));
    } else if (command == "put") {
        ok = client.uploadFile(gb(rest[0]), gb(rest[1]));
    } else if (command == "mkdir") {
        ok = client.createDirectory(gb(rest[0]));
    } else if (command == "rmdir") {
        ok = client.removeDirectory(gb(rest[0]));
    } else if (command == "rm") {
        ok = client.deleteFile(gb(rest[0]));
    } else if (command == "rename") {
        ok = client.renameFile(gb(rest[0]), gb(rest[1]));
    } else if (command == "pwd") {
        std::string directory = client.getCurrentDirectory();
        ok = !directory.empty();
        if (ok) {
            std::cout << lumaro::text::toUtf8(directory) << "\n";
        }
    }
    if (!ok) {
        return fail(client, command);
    }
    client.disconnect();
    return 0;
}
