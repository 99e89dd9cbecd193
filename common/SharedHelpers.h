#pragma once

// The shared helpers module: stateless procedures that several windows use on
// their lists, record sources, mail texts and loaded pages.
#include "common/ColorText.h"
#include "common/DataLists.h"
#include "common/ListFilling.h"
#include "common/ListReordering.h"
#include "common/MailValues.h"
#include "common/PageAnalysis.h"
