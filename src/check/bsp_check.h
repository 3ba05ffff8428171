#pragma once
// The BSP data of one subobject: the block walk, and every block the walk lists.

#include "check/check_context.h"
#include "records/subobjects/subobject_table.h"

namespace check {

void check_bsp(CheckContext& c, const records::Subobject& s);

}  // namespace check
