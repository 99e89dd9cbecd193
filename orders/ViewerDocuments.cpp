#include "orders/ViewerDocuments.h"

namespace vendaro {

OrderDocumentWriter viewerDocumentWriter(std::filesystem::path appFolder,
                                         std::filesystem::path folder, MerchantSettings merchant,
                                         std::vector<double> taxRates,
                                         std::shared_ptr<DocumentPrinter> printer,
                                         std::function<std::string()> now) {
  return [=](OrderDocumentKind kind, std::int64_t orderId,
             std::string& message) -> std::optional<std::filesystem::path> {
    if (!printer) {
      message = "There is no PDF printing program (vendaro-pdf) beside this program.";
      return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      message = "The folder " + folder.string() + " cannot be made: " + error.message();
      return std::nullopt;
    }
    OrderDocumentOptions options;
    options.appFolder = appFolder;
    options.orderId = std::to_string(orderId);
    options.workFolder = folder;
    options.now = now();
    options.taxRates = taxRates;
    const Outcome<WrittenDocument> written = writeOrderDocument(kind, options, merchant, *printer);
    if (!written) {
      message = written.error().message;
      return std::nullopt;
    }
    return written->file;
  };
}

}  // namespace vendaro
