#include "app/extract_match.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>

namespace lumaro::app {

namespace {

// Bounds the backtracking work of one match attempt; a pattern like (a+)+$ on a long
// subject fails fast instead of hanging the user-interface thread.
constexpr uint32_t kMatchLimit = 5'000'000;
constexpr uint32_t kDepthLimit = 100'000;

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct ContextDeleter {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};

using Code = std::unique_ptr<pcre2_code, CodeDeleter>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;
using MatchContext = std::unique_ptr<pcre2_match_context, ContextDeleter>;

Code compile(std::string_view pattern, bool caseSensitive) {
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    uint32_t options = PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;
    if (!caseSensitive) {
        options |= PCRE2_CASELESS;
    }
    return Code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                              &errorCode, &errorOffset, nullptr));
}

// One match from `start`; the span of the taken text, or nullopt when there is no match.
struct Taken {
    PCRE2_SIZE matchStart;
    PCRE2_SIZE matchEnd;
    std::string text;
    PCRE2_SIZE textOffset;
};

class Matcher {
public:
    Matcher(pcre2_code* code, std::string_view subject)
        : m_code(code),
          m_subject(subject),
          m_data(pcre2_match_data_create_from_pattern(code, nullptr)),
          m_context(pcre2_match_context_create(nullptr)) {
        if (m_context) {
            pcre2_set_match_limit(m_context.get(), kMatchLimit);
            pcre2_set_depth_limit(m_context.get(), kDepthLimit);
        }
    }

    std::optional<Taken> match(PCRE2_SIZE start, int groupIndex, bool useGroup) {
        if (!m_data || !m_context) {
            return std::nullopt;
        }
        const int rc = pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(m_subject.data()),
                                   m_subject.size(), start, 0, m_data.get(), m_context.get());
        if (rc < 0) {
            return std::nullopt;  // no match, limit reached or any other failure
        }
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_data.get());
        const uint32_t pairs = pcre2_get_ovector_count(m_data.get());
        Taken taken{ovector[0], ovector[1], {}, PCRE2_UNSET};
        const int index = useGroup ? groupIndex : 0;
        // rc counts the pairs that were set; a group beyond it did not take part.
        if (index >= 0 && static_cast<uint32_t>(index) < pairs && index < rc &&
            ovector[2 * index] != PCRE2_UNSET && ovector[2 * index] <= ovector[2 * index + 1]) {
            const PCRE2_SIZE from = ovector[2 * index];
            taken.text.assign(m_subject.substr(from, ovector[2 * index + 1] - from));
            taken.textOffset = from;
        }
        return taken;
    }

private:
    pcre2_code* m_code;
    std::string_view m_subject;
    MatchData m_data;
    MatchContext m_context;
};

std::string singleSearch(pcre2_code* code, std::string_view subject, int groupIndex, bool useGroup,
                         std::optional<int> startPosition, int& matchOffset) {
    const int start = startPosition.value_or(1);
    if (code == nullptr || start < 1 || static_cast<std::size_t>(start) > subject.size()) {
        matchOffset = -1;
        return {};
    }
    Matcher matcher(code, subject);
    const std::optional<Taken> taken =
        matcher.match(static_cast<PCRE2_SIZE>(start - 1), groupIndex, useGroup);
    if (!taken || taken->text.empty()) {
        matchOffset = -1;
        return {};
    }
    matchOffset = static_cast<int>(taken->textOffset);
    return taken->text;
}

std::string searchAllMatches(pcre2_code* code, std::string_view subject, int groupIndex,
                             bool useGroup, std::vector<std::string>& results,
                             std::optional<int> which, int& matchOffset) {
    results.clear();
    if (code != nullptr) {
        Matcher matcher(code, subject);
        PCRE2_SIZE start = 0;
        while (start <= subject.size()) {
            const std::optional<Taken> taken = matcher.match(start, groupIndex, useGroup);
            if (!taken) {
                break;
            }
            if (!taken->text.empty()) {
                results.push_back(taken->text);
            }
            // An empty match moves on by one byte so the search always advances.
            start = taken->matchEnd > taken->matchStart ? taken->matchEnd : taken->matchEnd + 1;
        }
    }
    if (results.empty()) {
        matchOffset = -1;
        return {};
    }
    const int count = static_cast<int>(results.size());
    int number = which.value_or(0);
    if (number <= 0) {
        number = 1;
    }
    if (number > count) {
        number = count;
    }
    return results[number - 1];
}

}  // namespace

std::string extractMatch(std::string_view pattern, std::string_view subject, int groupIndex,
                         bool useGroup, std::vector<std::string>& results, bool searchAll,
                         std::optional<int> which, std::optional<int> startPosition,
                         int& matchOffset, bool caseSensitive) {
    const Code code = compile(pattern, caseSensitive);
    if (searchAll) {
        return searchAllMatches(code.get(), subject, groupIndex, useGroup, results, which,
                                matchOffset);
    }
    return singleSearch(code.get(), subject, groupIndex, useGroup, startPosition, matchOffset);
}

std::string extractGroup(std::string_view pattern, std::string_view subject) {
    std::vector<std::string> unused;
    int offset = 0;
    return extractMatch(pattern, subject, 1, true, unused, false, std::nullopt, std::nullopt,
                        offset, false);
}

}  // namespace lumaro::app
