#pragma once

#include <string>

#include "store/PageText.h"
#include "store/SiteCatalogue.h"

namespace vendaro {

// The basket and the order pages build the same table of ordered items from
// the start page's arrays; the basket adds a "Remove" column, the order
// pages collect the order text "info" instead.
enum class OrderTableKind { Basket, OrderForm };

// The two head lines of the table ("var msg = ..." and "msg +=...").
void addOrderTableHead(PageText& page, const StoreInput& input, OrderTableKind kind);

// The loop over the ordered items of every category; the last line of each
// category (" } }") has no line break.
void addOrderTableRows(PageText& page, const SiteCatalogue& catalogue, OrderTableKind kind);

// The "Products Total" row and the end of the table.
void addOrderTableTotal(PageText& page, const StoreInput& input);

}  // namespace vendaro
