// Which pages a print run sends to the printer: a from-to range, an optional
// list of pages and ranges ("1;3;5-12;4"), odd or even pages only, and the
// number of copies.
//
// A PageSelection is a plain value; nothing here owns pages or talks to a
// printer.
#pragma once

#include <climits>
#include <string>
#include <vector>

namespace tarvek::report {

enum class PageParity { All, Odd, Even };

struct PageSelection {
    // 1-based, inclusive; a page outside from..to is never printed, so a
    // range with from > to selects nothing.
    int from = 1;
    int to = INT_MAX;
    // Items separated by ";", each a number or two numbers joined by "-",
    // blanks around the numbers ignored. Blank means no list: every page of
    // from..to. An item that is neither counts as page -1 and matches
    // nothing; a range matches the pages between its two ends in either
    // order.
    std::string list;
    PageParity parity = PageParity::All;
    // The page sequence is sent this many times; less than 1 counts as 1.
    int copies = 1;
};

// The page numbers (1-based, ascending, each once) that `selection` picks
// out of a collection of `page_count` pages. Copies are not applied.
std::vector<int> selected_pages(const PageSelection& selection, int page_count);

// The pages in the order the printer receives them: the selected pages once
// per copy, one copy after the other.
std::vector<int> print_sequence(const PageSelection& selection, int page_count);

}  // namespace tarvek::report
