#pragma once

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "orders/OrderViewer.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

class QGridLayout;
class QLabel;
class QTableWidget;

namespace vendaro {

// The order viewer on screen: the list of orders with its search and
// filters on the left; on the right the price check's banner, the record
// (the bound boxes of the current order with their labels, the grid of its
// lines, the data control's bar ("Record: N" and the four arrows) and the
// button bar) and below it the order's status, history and actions. Loads
// the orders when made; forwards buttons, arrows, clicks and the record's
// size changes to the model. The model must outlive the view.
class OrderViewerView : public QtToolWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 1400;
  static constexpr int kInitialHeight = 820;

  explicit OrderViewerView(frmOrders& form);
  ~OrderViewerView() override;

 protected:
  void windowClosing() override;
  // The record's area changed size: the model lays the grid out anew.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* makeFields();
  void addField(QGridLayout& layout, std::size_t field, int row, int column);
  QWidget* makeRecordBar();
  QWidget* makeButtons();
  QWidget* makeListPane();
  QWidget* makeStatusPanel();
  QWidget* makeRecordSide();
  void showBanner();
  void showRecord();
  void showGrid();
  void placeBelowFields();

  frmOrders& form_;
  QtViewBuilder ui_;
  // The record's boxes, grid and bars are placed in it by the model's layout.
  QWidget* record_;
  QWidget* fields_;
  QTableWidget* grid_;
  // Made with the record bar, so declared before it.
  QLabel* recordCaption_ = nullptr;
  QWidget* recordBar_;
  QWidget* buttons_;
  QLabel* banner_ = nullptr;
  Control::ListenerId captionListener_;
  Control::ListenerId bannerListener_ = 0;
};

}  // namespace vendaro
