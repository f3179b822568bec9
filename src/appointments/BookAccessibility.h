#pragma once

class BookView;

// The appointment book's grid as screen readers meet it: a list whose lines are the grid's
// items (its blocks and free slots), each named as it reads and focusable.
namespace BookAccessibility {

// Makes screen readers take a BookView as such a list (once for the program).
void install();
// The items were made anew: their interfaces go with them, and readers are told.
void itemsChanged(BookView *view);

} // namespace BookAccessibility
