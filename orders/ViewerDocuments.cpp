#include "orders/ViewerDocuments.h"

#include <sstream>

namespace vendaro {
namespace {

// "vendaro invoice: there is no order 9\n" -> "there is no order 9"
std::string withoutPrefix(const std::string& message) {
  const std::size_t start = message.rfind("vendaro ", 0) == 0 ? message.find(": ") : std::string::npos;
  std::string text = start == std::string::npos ? message : message.substr(start + 2);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

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
    std::ostringstream err;
    const std::optional<WrittenDocument> written =
        writeOrderDocument(kind, options, merchant, *printer, err);
    if (!written) {
      message = withoutPrefix(err.str());
      return std::nullopt;
    }
    return written->file;
  };
}

}  // namespace vendaro
