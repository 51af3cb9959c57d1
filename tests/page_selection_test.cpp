// Which pages a print run sends: from-to, page lists, odd/even and copies.
#include <gtest/gtest.h>

#include <climits>

#include "report/page_selection.h"

namespace tarvek::report {
namespace {

struct SelectionCase {
    const char* what;
    int from;
    int to;
    const char* list;
    PageParity parity;
    int page_count;
    std::vector<int> expected;
};

TEST(PageSelection, PicksThePagesOfRangeListAndParity) {
    using P = PageParity;
    const SelectionCase cases[] = {
        {"everything", 1, INT_MAX, "", P::All, 4, {1, 2, 3, 4}},
        {"list within from-to", 1, 10, "2;4-5", P::All, 10, {2, 4, 5}},
        {"list order does not matter",
         1,
         10,
         "1;3;5-12;4",
         P::All,
         10,
         {1, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"from-to alone", 3, 6, "", P::All, 10, {3, 4, 5, 6}},
        {"from-to limits the list", 4, 6, "1-10", P::All, 10, {4, 5, 6}},
        {"odd", 1, 10, "", P::Odd, 10, {1, 3, 5, 7, 9}},
        {"even", 1, 10, "", P::Even, 5, {2, 4}},
        {"odd with list and range", 2, 9, "1-10", P::Odd, 10, {3, 5, 7, 9}},
        {"blanks around numbers", 1, 10, " 2 ;\t4 - 5 ", P::All, 10, {2, 4, 5}},
        {"items that are not numbers", 1, 10, "x;3;5-y; ;;3-4-5;+6;-2;0", P::All, 10, {3}},
        {"blank list means no list", 1, 3, "   ", P::All, 3, {1, 2, 3}},
        {"reversed list range", 1, 10, "5-3", P::All, 10, {3, 4, 5}},
        {"reversed from-to", 6, 3, "", P::All, 10, {}},
        {"list beyond the count", 1, 10, "8;12-20", P::All, 10, {8}},
        {"to beyond the count", 1, 50, "", P::All, 3, {1, 2, 3}},
        {"from below 1", -5, 2, "", P::All, 3, {1, 2}},
        {"no pages", 1, 10, "1-5", P::All, 0, {}},
        {"huge number", 1, INT_MAX, "99999999999;2", P::All, 3, {2}},
    };
    for (const SelectionCase& c : cases) {
        PageSelection selection;
        selection.from = c.from;
        selection.to = c.to;
        selection.list = c.list;
        selection.parity = c.parity;
        EXPECT_EQ(selected_pages(selection, c.page_count), c.expected) << c.what;
    }
}

TEST(PageSelection, CopiesRepeatTheWholeSequence) {
    PageSelection selection;
    selection.list = "2;4";
    selection.copies = 3;
    EXPECT_EQ(print_sequence(selection, 5), (std::vector<int>{2, 4, 2, 4, 2, 4}));
    // Copies never multiply the pages inside one pass.
    EXPECT_EQ(selected_pages(selection, 5), (std::vector<int>{2, 4}));

    selection.copies = 0;  // counts as one
    EXPECT_EQ(print_sequence(selection, 5), (std::vector<int>{2, 4}));
    selection.list = "9";
    selection.copies = 2;
    EXPECT_TRUE(print_sequence(selection, 5).empty());
}

}  // namespace
}  // namespace tarvek::report
