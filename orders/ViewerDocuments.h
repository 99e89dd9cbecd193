#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/MerchantSettings.h"
#include "orders/OrderRecordPanel.h"
#include "platform/DocumentPrinter.h"

namespace vendaro {

// The folder of the application folder where the order viewer writes documents.
inline constexpr const char* kViewerDocumentFolder = "documents";

// The order viewer's documents, written by the same service as `vendaro
// invoice`, `packing-slip` and `credit-note` into `folder` (made when
// missing) under the commands' default names. `now` dates a new document
// (UTC text); `printer` makes the PDF (null: the message names why there
// is none). A message is the command's, without its program prefix.
OrderDocumentWriter viewerDocumentWriter(std::filesystem::path appFolder,
                                         std::filesystem::path folder, MerchantSettings merchant,
                                         std::vector<double> taxRates,
                                         std::shared_ptr<DocumentPrinter> printer,
                                         std::function<std::string()> now);

}  // namespace vendaro
