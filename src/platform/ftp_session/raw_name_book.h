#pragma once
// Names that a UTF-8 server listed in bytes that are not UTF-8 (GBK names written by older
// clients). Such a name is taken as the GBK text it is; to use it again in a command it must
// go back to the server as those same bytes, not converted to UTF-8, or the server would not
// find the file. The book remembers these names for every connection of one client.
//
// Threads: any thread may use it at any time.

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>

namespace lumaro::ftp_session {

class RawNameBook {
public:
    // Enough for every odd name of many large folders; past it new names are not remembered
    // (they still list correctly), so a hostile server cannot grow the book without bound.
    static constexpr std::size_t kMaxNames = 100000;

    void remember(std::string_view name);
    bool contains(std::string_view name) const;

private:
    mutable std::mutex m_mutex;
    std::unordered_set<std::string> m_names;
};

}  // namespace lumaro::ftp_session
