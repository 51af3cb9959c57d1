#include "report/page_selection.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace tarvek::report {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// Digits only; a sign, an inner blank or an overflow make it no number.
std::optional<int> number(std::string_view s) {
    s = trimmed(s);
    if (s.empty() || s.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

struct Item {
    int low;
    int high;
};

Item parse_item(std::string_view item) {
    const std::size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        const int n = number(item).value_or(-1);
        return {n, n};
    }
    const auto a = number(item.substr(0, dash));
    const auto b = number(item.substr(dash + 1));
    if (!a || !b) return {-1, -1};
    return {std::min(*a, *b), std::max(*a, *b)};
}

std::vector<Item> parse_list(std::string_view list) {
    std::vector<Item> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = list.find(';', start);
        items.push_back(parse_item(list.substr(start, end - start)));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return items;
}

}  // namespace

std::vector<int> selected_pages(const PageSelection& selection, int page_count) {
    const bool has_list = !trimmed(selection.list).empty();
    const std::vector<Item> items = has_list ? parse_list(selection.list) : std::vector<Item>{};
    std::vector<int> pages;
    const int first = std::max(selection.from, 1);
    const int last = std::min(selection.to, page_count);
    for (int n = first; n <= last; ++n) {
        if (selection.parity == PageParity::Odd && n % 2 == 0) continue;
        if (selection.parity == PageParity::Even && n % 2 != 0) continue;
        if (has_list && std::none_of(items.begin(), items.end(), [n](const Item& item) {
                return item.low <= n && n <= item.high;
            })) {
            continue;
        }
        pages.push_back(n);
    }
    return pages;
}

std::vector<int> print_sequence(const PageSelection& selection, int page_count) {
    const std::vector<int> once = selected_pages(selection, page_count);
    std::vector<int> sequence;
    const int copies = std::max(selection.copies, 1);
    sequence.reserve(once.size() * static_cast<std::size_t>(copies));
    for (int copy = 0; copy < copies; ++copy)
        sequence.insert(sequence.end(), once.begin(), once.end());
    return sequence;
}

}  // namespace tarvek::report
