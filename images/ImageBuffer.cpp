#include "images/ImageBuffer.h"

#include <algorithm>
#include <exception>

#include "common/EnginePages.h"
#include "common/ImagePages.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "images/PageFiles.h"

namespace vendaro {

ImageBuffer::ImageBuffer(ImageBufferControls controls, Dialogs& dialogs,
                         std::filesystem::path outputFolder)
    : c_(controls), dialogs_(dialogs), outputFolder_(std::move(outputFolder)) {}

void ImageBuffer::AddBufferImage(const std::string& address) {
  // The engine's own pictures (data: images, error-page graphics) are not the site's.
  if (isEngineAddress(address)) return;
  if (c_.List2.ListCount() == kLimit) spill();
  const auto& entries = c_.List2.items();
  if (std::find(entries.begin(), entries.end(), address) != entries.end()) return;
  c_.List2.AddItem(address);
}

void ImageBuffer::spill() {
  std::error_code error;
  std::filesystem::create_directories(outputFolder_, error);
  const std::filesystem::path file = spillFile(outputFolder_, spillCounter_);
  // A failed write loses this buffer's entries only: the buffer starts
  // again either way, so browsing goes on.
  if (!file.empty())
    (void)writeWholeFile(file, plainBufferPage(c_.List2.items()) + std::string(kCrLf));
  ++spillCounter_;
  c_.List2.Clear();
}

void ImageBuffer::ShowBufferPage(Browser& pane) {
  pane.writeDocument(bufferPage(c_.List2.items()));
}

void ImageBuffer::showCount() {
  c_.status.show(4, "Found - " + numberText(std::int64_t{c_.List2.ListCount()}) + " pictures ! ");
}

void ImageBuffer::imagebuf_Click() {
  if (imagePageShown_) {
    imagePageShown_ = false;
    try {
      c_.WebBrowser1.browser().GoBack();
    } catch (const std::exception&) {
      // No earlier page: the buffer page stays.
    }
    return;
  }
  ShowBufferPage(c_.WebBrowser1.browser());
  imagePageShown_ = true;
}

void ImageBuffer::StatusBar1_PanelClick4() {
  if (imagePageShown_) {
    imagePageShown_ = false;
    return;
  }
  ShowBufferPage(c_.WebBrowser1.browser());
  imagePageShown_ = true;
}

void ImageBuffer::cllearimagebuf_Click() {
  c_.List2.Clear();
  c_.status.show(4, "Images'Listing is clear ! ");
}

void ImageBuffer::sreport_Click() {
  savePageAs(dialogs_, c_.inPrivateZone, outputFolder_, savedBufferPage(c_.List2.items()));
}

}  // namespace vendaro
