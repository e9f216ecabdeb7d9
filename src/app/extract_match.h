#pragma once
// Regular-expression extraction: Perl-style, backtracking, byte-wise (no UTF mode), caseless
// unless asked. A pattern that fails to compile never matches; a search that runs into the
// engine's match limit counts as no match, so a hostile pattern cannot hang the caller.
// Re-entrant and thread-safe.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::app {

// Parameters in their documented order. `which` (search-all: 1-based element to return;
// missing or 0 means 1, too large means the last) and `startPosition` (single search:
// 1-based byte where the search starts; missing means 1) are optional.
// Single search: returns the whole match or group `groupIndex`; `matchOffset` gets the
// 0-based byte offset of the returned text, or -1 when it is empty. `results` is untouched.
// Search all: `results` is emptied and receives every non-empty taken text of successive
// non-overlapping matches; `matchOffset` is set (-1) only when nothing was collected.
std::string extractMatch(std::string_view pattern, std::string_view subject, int groupIndex,
                         bool useGroup, std::vector<std::string>& results, bool searchAll,
                         std::optional<int> which, std::optional<int> startPosition,
                         int& matchOffset, bool caseSensitive);

// The call every caller of the system makes: group 1 of the first match, caseless.
std::string extractGroup(std::string_view pattern, std::string_view subject);

}  // namespace lumaro::app
