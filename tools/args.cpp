#include "args.h"

#include <charconv>

namespace teskutil {

Args::Args(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) items_.emplace_back(argv[i]);
    used_.assign(items_.size(), false);
}

static bool IsOptionLike(const std::string& s) { return s.size() > 1 && s[0] == '-' && !(s[1] >= '0' && s[1] <= '9'); }

bool Args::Flag(std::string_view name) {
    bool found = false;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (!used_[i] && items_[i] == name) {
            used_[i] = true;
            found = true;
        }
    }
    return found;
}

bool Args::ShortFlag(char letter) {
    const std::string want{'-', letter};
    return Flag(want);
}

std::optional<std::string> Args::Option(std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (used_[i]) continue;
        const std::string& s = items_[i];
        if (s == name) {
            if (i + 1 >= items_.size()) throw UsageError(std::string(name) + " needs a value");
            used_[i] = used_[i + 1] = true;
            value = items_[i + 1];
            ++i;
        } else if (s.size() > name.size() && s.compare(0, name.size(), name) == 0 && s[name.size()] == '=') {
            used_[i] = true;
            value = s.substr(name.size() + 1);
        }
    }
    return value;
}

std::optional<std::vector<std::string>> Args::Values(std::string_view name, std::size_t count) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (used_[i] || items_[i] != name) continue;
        if (i + count >= items_.size()) throw UsageError(std::string(name) + " needs " + std::to_string(count) + " values");
        std::vector<std::string> values(items_.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                        items_.begin() + static_cast<std::ptrdiff_t>(i + 1 + count));
        for (std::size_t k = i; k <= i + count; ++k) used_[k] = true;
        return values;
    }
    return std::nullopt;
}

std::int64_t Args::IntOption(std::string_view name, std::int64_t fallback) {
    auto v = Option(name);
    return v ? ParseInt(*v, name) : fallback;
}

std::vector<std::string> Args::Positionals(std::size_t min, std::size_t max) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (used_[i]) continue;
        if (items_[i] == "--") {
            for (std::size_t j = i + 1; j < items_.size(); ++j) out.push_back(items_[j]);
            break;
        }
        if (IsOptionLike(items_[i])) throw UsageError("unknown option " + items_[i]);
        out.push_back(items_[i]);
    }
    if (out.size() < min) throw UsageError("missing argument");
    if (out.size() > max) throw UsageError("too many arguments");
    return out;
}

std::int64_t ParseInt(std::string_view text, std::string_view what) {
    std::string_view t = text;
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    std::int64_t v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || p != t.data() + t.size())
        throw UsageError(std::string(what) + ": not an integer: " + std::string(text));
    return v;
}

}  // namespace teskutil
