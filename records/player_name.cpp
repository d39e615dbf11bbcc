#include "records/player_name.h"

#include <locale.h>
#include <cwchar>
#include <cwctype>

namespace records {
namespace {

constexpr size_t kLongestName = 24;

// The C library's Unicode tables, through a UTF-8 locale of this thread's own.
locale_t Utf8Locale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

std::string PlayerNameProblem(const std::string& name) {
    if (name.empty()) return "a name is 1 to 24 characters";
    if (name.size() > kLongestName * 4) return "a name is 24 characters at most";
    const locale_t utf8 = Utf8Locale();
    if (utf8 == static_cast<locale_t>(0)) return "the server cannot read names (no C.UTF-8 locale)";
    const locale_t before = uselocale(utf8);
    std::mbstate_t state = {};
    size_t characters = 0;
    std::string problem;
    for (size_t at = 0; at < name.size() && problem.empty();) {
        wchar_t c = 0;
        const size_t length = std::mbrtowc(&c, name.data() + at, name.size() - at, &state);
        if (length == 0 || length == static_cast<size_t>(-1) || length == static_cast<size_t>(-2)) {
            problem = "a name is UTF-8 text";
            break;
        }
        at += length;
        ++characters;
        const bool allowed = std::iswalpha(static_cast<wint_t>(c)) ||
                             std::iswdigit(static_cast<wint_t>(c)) || c == L'-' || c == L'_' ||
                             c == L'.';
        if (!allowed) problem = "a name holds letters, digits and - _ . only";
    }
    uselocale(before);
    if (problem.empty() && characters > kLongestName) problem = "a name is 24 characters at most";
    return problem;
}

}  // namespace records
